#include "maze/CandidateList.h"

#include <iterator>
#include <list>
#include <random>

#include <gtest/gtest.h>

namespace {

using Entry = CandidateList::Entry;

}  // namespace

TEST(CandidateList, TakesCountingBackFromTheLastEntry) {
    CandidateList list(4);
    list.append({0, 1});
    list.append({2, 1});
    list.append({1, 2});
    EXPECT_EQ(list.takeFromEnd(1), Entry(2, 1));
    EXPECT_EQ(list.takeFromEnd(0), Entry(1, 2));
    list.append({3, 3});
    EXPECT_EQ(list.size(), 2u);
    EXPECT_EQ(list.takeFromEnd(1), Entry(0, 1));
    EXPECT_EQ(list.takeFromEnd(0), Entry(3, 3));
    EXPECT_TRUE(list.empty());
}

// Against the doubly linked list it stands in for: the same appends and the
// same takes, from anywhere in the list, give the same entries in the same
// order, whatever the capacity's relation to a power of two.
TEST(CandidateList, BehavesAsALinkedListUnderAnyMixOfAppendsAndTakes) {
    for (std::size_t capacity : {1u, 2u, 7u, 8u, 9u, 1000u}) {
        SCOPED_TRACE(capacity);
        std::mt19937 engine(static_cast<unsigned>(capacity));
        CandidateList list(capacity);
        std::list<Entry> reference;
        std::size_t appended = 0;
        while (appended < capacity || !reference.empty()) {
            const bool append = appended < capacity && (reference.empty() || engine() % 3 != 0);
            if (append) {
                const Entry entry{static_cast<int>(appended), static_cast<int>(engine() % 100)};
                list.append(entry);
                reference.push_back(entry);
                ++appended;
            } else {
                const std::size_t back = engine() % reference.size();
                const auto taken = std::prev(reference.end(), static_cast<long>(back) + 1);
                ASSERT_EQ(list.takeFromEnd(back), *taken);
                reference.erase(taken);
            }
            ASSERT_EQ(list.size(), reference.size());
        }
        EXPECT_TRUE(list.empty());
    }
}
