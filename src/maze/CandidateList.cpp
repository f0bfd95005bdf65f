#include "maze/CandidateList.h"

CandidateList::CandidateList(std::size_t capacity) : tree(capacity + 1, 0) {
    entries.reserve(capacity);
    while (highestPowerOfTwo * 2 <= capacity) {
        highestPowerOfTwo *= 2;
    }
}

void CandidateList::append(const Entry& entry) {
    entries.push_back(entry);
    addAt(entries.size(), 1);
    ++count;
}

CandidateList::Entry CandidateList::takeFromEnd(std::size_t placesBeforeLast) {
    const std::size_t position = positionOfRank(count - placesBeforeLast);
    addAt(position, -1);
    --count;
    return entries[position - 1];
}

void CandidateList::addAt(std::size_t position, int delta) {
    for (; position < tree.size(); position += position & (~position + 1)) {
        tree[position] += delta;
    }
}

std::size_t CandidateList::positionOfRank(std::size_t rank) const {
    // Descends the tree from its widest span, keeping the largest position
    // whose prefix still holds fewer than rank entries; the next one is it.
    std::size_t position = 0;
    std::size_t remaining = rank;
    for (std::size_t step = highestPowerOfTwo; step > 0; step /= 2) {
        const std::size_t next = position + step;
        if (next < tree.size() && static_cast<std::size_t>(tree[next]) < remaining) {
            position = next;
            remaining -= static_cast<std::size_t>(tree[next]);
        }
    }
    return position + 1;
}
