// The pieces a large diff or merge stands on: the flat pointer map, against
// std::unordered_map fed the same keys, and indexes shared by two threads.

#include <gtest/gtest.h>

#include <atomic>
#include <random>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "model/background_worker.h"
#include "model/pointer_map.h"

namespace {

TEST(PointerMap, AgreesWithAnUnorderedMap) {
    // Keys from one array, some given twice, enough to grow the table many
    // times over; null is never a key.
    std::vector<int> cells(5000);
    std::mt19937 random(7);
    for (const std::size_t reserved : {std::size_t{0}, std::size_t{3}, std::size_t{6000}}) {
        ze::PointerMap<const int*, int> map;
        map.Reserve(reserved);
        std::unordered_map<const int*, int> expected;
        for (int i = 0; i < 8000; ++i) {
            const int* key = &cells[random() % cells.size()];
            EXPECT_EQ(map.Insert(key, i), expected.emplace(key, i).second);
        }
        EXPECT_FALSE(map.Insert(nullptr, 1));
        EXPECT_FALSE(map.Contains(nullptr));
        EXPECT_EQ(map.Get(nullptr), 0);
        ASSERT_EQ(map.Size(), expected.size());
        for (const int& cell : cells) {
            const auto at = expected.find(&cell);
            EXPECT_EQ(map.Contains(&cell), at != expected.end());
            EXPECT_EQ(map.Get(&cell), at == expected.end() ? 0 : at->second);
        }
        std::size_t visited = 0;
        map.ForEach([&](const int* key, int value) {
            ++visited;
            EXPECT_EQ(expected.at(key), value);
        });
        EXPECT_EQ(visited, expected.size());
    }
    ze::PointerSet<const int*> set;
    EXPECT_TRUE(set.Empty());
    EXPECT_TRUE(set.Insert(&cells[0]));
    EXPECT_FALSE(set.Insert(&cells[0]));
    EXPECT_TRUE(set.Contains(&cells[0]));
    EXPECT_FALSE(set.Contains(&cells[1]));
    EXPECT_EQ(set.Size(), 1U);
}

TEST(ShareIndexes, EachIndexOnceAndFaultsComeOut) {
    for (const std::size_t count : {0, 1, 2, 3, 1000}) {
        std::vector<std::atomic<int>> calls(count);
        ze::ShareIndexes(count, [&](std::size_t i) { ++calls[i]; });
        for (std::size_t i = 0; i < count; ++i) {
            EXPECT_EQ(calls[i].load(), 1) << count << " " << i;
        }
    }
    // A fault on either thread stops both and reaches the caller; the
    // shared worker is free for the next call.
    for (const std::size_t failing : {0, 1, 500, 999}) {
        std::atomic<int> done{0};
        EXPECT_THROW(ze::ShareIndexes(1000,
                                      [&](std::size_t i) {
                                          if (i == failing) {
                                              throw std::runtime_error("fault");
                                          }
                                          ++done;
                                      }),
                     std::runtime_error);
        EXPECT_LT(done.load(), 1000);
    }
    std::atomic<int> after{0};
    ze::ShareIndexes(10, [&](std::size_t) { ++after; });
    EXPECT_EQ(after.load(), 10);
}

}  // namespace
