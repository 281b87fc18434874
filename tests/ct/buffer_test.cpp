// CT_Buffer and CT_VoidArray: block sizes, copy-on-write isolation against
// a plain model, and copies shared across threads (run under
// ThreadSanitizer by scripts/test-tsan.sh).
#include "foundation/ct/ct_buffer.h"
#include "foundation/ct/ct_void_array.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <random>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

using namespace quillex;

namespace {

std::string contentsOf(const CT_Buffer& buffer) {
    return std::string(reinterpret_cast<const char*>(buffer.pcuc_GetData()),
                       buffer.n_GetUsedSize());
}

CT_Buffer bufferOf(const std::string& text) {
    CT_Buffer buffer;
    buffer.v_Set(text.data(), text.size());
    return buffer;
}

} // namespace

TEST(CT_Buffer, BlockSizesFollowTheInitAndGrowthRules) {
    struct Case {
        std::size_t asked;
        bool growthRule;
        std::size_t capacity;
    };
    const Case cases[] = {
        {100, true, 116},    // 128-byte block
        {1024, true, 1268},  // 1280: 1024 * 5/4
        {3000, true, 4212},  // 4224: 3000 * 7/5 = 4200, rounded up to 64
        {5000, true, 7540},  // 7552: 5000 * 3/2 = 7500, rounded up to 64
        {1024, false, 1044}, // v_Init keeps to the granularity: 1056
        {0, false, 20},
    };
    for (const Case& c : cases) {
        CT_Buffer buffer(32);
        if (c.growthRule)
            buffer.v_SetSize(c.asked, false);
        else
            buffer.v_Init(c.asked);
        EXPECT_EQ(buffer.n_GetMaximumSize(), c.capacity) << c.asked;
        EXPECT_EQ(buffer.n_GetUsedSize(), 0u);
    }
}

TEST(CT_Buffer, SetSizeKeepsContentsUpToTheNewCapacityOnlyWhenAsked) {
    const std::string text(100, 'x');
    CT_Buffer buffer = bufferOf(text);
    CT_Buffer shared = buffer;
    buffer.v_SetSize(10, true); // 32-byte block: 20 bytes of room
    EXPECT_EQ(contentsOf(buffer), text.substr(0, 20));
    EXPECT_EQ(contentsOf(shared), text);
    buffer.v_SetSize(4000, true);
    EXPECT_EQ(contentsOf(buffer), text.substr(0, 20));
    buffer.v_SetSize(4000, false);
    EXPECT_EQ(buffer.n_GetUsedSize(), 0u);
}

// Every write to a copy leaves the other copy as it was, and neither stays
// shared afterwards.
TEST(CT_Buffer, WritesToOneCopyNeverShowInTheOther) {
    const std::vector<std::function<void(CT_Buffer&)>> writes = {
        [](CT_Buffer& b) { b.v_Replace(1, "J", 1); },
        [](CT_Buffer& b) { b.v_Replace(0, 3, 0xFF); },
        [](CT_Buffer& b) { b.v_Insert(2, "--", 2); },
        [](CT_Buffer& b) { b.v_Append("!", 1); },
        [](CT_Buffer& b) { b.v_Remove(0, 2); },
        [](CT_Buffer& b) { b.puc_GetData()[0] = 'Y'; },
        [](CT_Buffer& b) { b.v_SetSize(2000, true); },
        [](CT_Buffer& b) { b.v_AtInsertCopy(0, b); },
    };
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const CT_Buffer original = bufferOf("hello");
        CT_Buffer copy = original;
        ASSERT_EQ(original.n_GetUseCount(), 2u);
        writes[i](copy);
        EXPECT_EQ(contentsOf(original), "hello") << "write " << i;
        EXPECT_EQ(original.n_GetUseCount(), 1u) << "write " << i;
        EXPECT_EQ(copy.n_GetUseCount(), 1u) << "write " << i;
    }
}

// Random edits, gaps past the end included, against a std::string; copies
// taken along the way must keep their contents to the end.
TEST(CT_Buffer, RandomEditsMatchAPlainModelAndSnapshotsStay) {
    std::mt19937 random(20240611);
    CT_Buffer buffer(16);
    std::string model;
    std::vector<std::pair<CT_Buffer, std::string>> snapshots;
    const auto pick = [&](std::size_t limit) {
        return std::uniform_int_distribution<std::size_t>(0, limit)(random);
    };
    for (int step = 0; step < 3000; ++step) {
        const std::size_t offset = pick(model.size() + 8);
        const std::string data(pick(40), static_cast<char>('a' + step % 26));
        switch (pick(4)) {
        case 0:
            buffer.v_Replace(offset, data.data(), data.size());
            if (!data.empty()) {
                model.resize(std::max(model.size(), offset), '\0');
                model.replace(offset, std::min(data.size(), model.size() - offset), data);
            }
            break;
        case 1:
            buffer.v_Insert(offset, data.data(), data.size());
            if (!data.empty()) {
                model.resize(std::max(model.size(), offset), '\0');
                model.insert(offset, data);
            }
            break;
        case 2:
            buffer.v_Remove(offset, data.size());
            if (offset < model.size())
                model.erase(offset, data.size());
            break;
        case 3: // append a piece of itself
            buffer.v_Append(buffer.pcuc_GetData(), std::min(model.size(), data.size()));
            model += model.substr(0, std::min(model.size(), data.size()));
            break;
        default:
            snapshots.emplace_back(buffer, model);
        }
        ASSERT_EQ(contentsOf(buffer), model) << "step " << step;
        ASSERT_LE(buffer.n_GetUsedSize(), buffer.n_GetMaximumSize());
    }
    for (const auto& [copy, text] : snapshots)
        EXPECT_EQ(contentsOf(copy), text);
    ASSERT_GT(model.size(), 10u);
    const std::string needle = model.substr(model.size() / 2, 5);
    EXPECT_EQ(buffer.n_Find(needle.data(), needle.size()), model.find(needle));
    EXPECT_EQ(buffer.n_Find("#", 1), CT_NotFound);
}

// Copies of one block on several threads: each thread reads, copies and
// writes its own copies. Counts that were not atomic would lose updates (a
// block freed while in use, or never freed), which ThreadSanitizer reports.
TEST(CT_Buffer, CopiesSharedAcrossThreadsStayIsolated) {
    const std::string text(300, 's');
    const CT_Buffer original = bufferOf(text);
    constexpr int kThreads = 4;
    std::vector<CT_Buffer> handed(kThreads, original);
    std::vector<int> mismatches(kThreads, 0);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            CT_Buffer& mine = handed[t];
            for (int round = 0; round < 2000; ++round) {
                CT_Buffer copy = original;
                const char mark = static_cast<char>('a' + t);
                copy.v_Replace(static_cast<std::size_t>(round % 300), &mark, 1);
                mismatches[t] += copy.pcuc_GetData()[round % 300] != mark;
                mismatches[t] += contentsOf(original) != text;
                if (round % 500 == 0)
                    mine.v_Append(&mark, 1); // leaves the shared block
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < kThreads; ++t) {
        EXPECT_EQ(mismatches[t], 0);
        EXPECT_EQ(contentsOf(handed[t]), text + std::string(4, static_cast<char>('a' + t)));
    }
    EXPECT_EQ(original.n_GetUseCount(), 1u);
}

TEST(CT_VoidArray, PositionsCountFromOneAndElementsKeepTheirBytes) {
    struct Wide {
        double value;
        int tag;
    };
    CT_VoidArray numbers(sizeof(short));
    for (short n : {10, 20, 30})
        numbers.v_Insert(&n);
    const short five = 5;
    numbers.v_InsertAt(1, &five);
    short got = 0;
    numbers.v_GetAt(1, &got);
    EXPECT_EQ(got, 5);
    numbers.v_GetAt(4, &got);
    EXPECT_EQ(got, 30);
    const short twenty = 20, missing = 99;
    EXPECT_EQ(numbers.n_Find(&twenty), 3u);
    EXPECT_EQ(numbers.n_Find(&missing), 0u);
    EXPECT_THROW(numbers.v_GetAt(0, &got), std::out_of_range);
    EXPECT_THROW(numbers.v_GetAt(5, &got), std::out_of_range);
    EXPECT_THROW(numbers.v_InsertAt(6, &five), std::out_of_range);
    EXPECT_TRUE(numbers.b_Remove(&twenty));
    EXPECT_EQ(numbers.n_GetSize(), 3u);

    CT_VoidArray records(sizeof(Wide));
    const Wide first{2.5, 7};
    records.v_SetSize(3);
    records.v_SetAt(3, &first);
    Wide read{};
    records.v_GetAt(3, &read);
    EXPECT_EQ(read.value, 2.5);
    EXPECT_EQ(read.tag, 7);
    records.v_GetAt(1, &read);
    EXPECT_EQ(read.tag, 0);
}
