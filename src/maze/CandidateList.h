#pragma once

#include <cstddef>
#include <utility>
#include <vector>

// The generator's list of candidate cells: entries are appended at the end and
// taken from anywhere in a window at the end, counted back from the last one.
// A linked list takes an entry k places from the end in k steps, and the
// window widens with the maze, so generation grew with the square of its
// rooms. Here entries stay where they were appended and a Fenwick tree counts
// those still in the list, so an entry at any rank is found and taken in
// log(n) steps. The order of the entries is exactly a linked list's.
class CandidateList {
  public:
    using Entry = std::pair<int, int>;  // (row, column)

    // capacity: how many entries will ever be appended; the generator knows
    // its bound in advance. Appending more is not allowed.
    explicit CandidateList(std::size_t capacity);

    bool empty() const { return count == 0; }
    std::size_t size() const { return count; }

    void append(const Entry& entry);
    // Removes and returns the entry that stands placesBeforeLast places before
    // the last one (0 is the last entry). It must be less than size().
    Entry takeFromEnd(std::size_t placesBeforeLast);

  private:
    // Adds delta at the 1-based position of the tree.
    void addAt(std::size_t position, int delta);
    // The 1-based position of the entry of the given 1-based rank among those
    // still in the list.
    std::size_t positionOfRank(std::size_t rank) const;

    std::vector<Entry> entries;
    std::vector<int> tree;  // Fenwick tree over "still in the list", 1-based
    std::size_t highestPowerOfTwo = 1;
    std::size_t count = 0;
};
