// CT_ErrorManager: one pending error per thread, messages, locations and
// the error window text, pools shared by threads, and the process going on
// when a pool is empty.
#include "foundation/ct/ct_error_manager.h"

#include "foundation/string_table.h"

#include <gtest/gtest.h>

#include <barrier>
#include <cerrno>
#include <string>
#include <thread>
#include <vector>

using namespace quillex;

namespace {

std::u16string messageOf(const CT_ErrorManager& errors) {
    return errors.qcuz_GetErrorMessage();
}

bool mapsCodeSeven(int code, int /*stringId*/, std::u16string& message) {
    if (code != 7)
        return false;
    message = u"mapped";
    return true;
}

// Runs `body` on `count` threads that all hold their state until every one
// has run it.
template <class Body> void onThreadsTogether(int count, Body body) {
    std::barrier together(count);
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i)
        threads.emplace_back([&, i] {
            body(i);
            together.arrive_and_wait();
        });
    for (std::thread& thread : threads)
        thread.join();
}

} // namespace

TEST(CT_ErrorManager, TheFirstPendingErrorWinsAndAHeldOneIsReplaced) {
    CT_ErrorManager errors;
    const int confirm = messageNumber(MessageId::ForwardConfirmLine);
    errors.v_SetError(12, nullptr, confirm, 3);
    errors.v_SetError(13, "second %s", "error");
    EXPECT_TRUE(errors.b_IsSetError());
    EXPECT_EQ(errors.n_GetErrorCode(), 12);
    EXPECT_EQ(errors.n_GetFormatID(), confirm);
    EXPECT_EQ(messageOf(errors), u"(12): 3 IASCII File(s) will be converted to QMX.");

    errors.v_HoldError();
    EXPECT_FALSE(errors.b_IsSetError());
    EXPECT_TRUE(errors.b_IsHoldError());
    EXPECT_EQ(errors.n_GetErrorCode(), 12); // still readable while held
    errors.v_SetError(13, "second %s", "error");
    EXPECT_FALSE(errors.b_IsHoldError());
    EXPECT_EQ(messageOf(errors), u"(13): second error");

    errors.v_ClearError();
    errors.v_SetIgnoreError(true);
    errors.v_SetMessageError(14, u"ignored");
    EXPECT_FALSE(errors.b_IsSetError());
    errors.v_SetIgnoreError(false);

    errno = ENOENT;
    errors.v_SetSystemError();
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(messageOf(errors), u"(2): No such file or directory");
}

TEST(CT_ErrorManager, MappingFunctionsGiveMessagesAndLongOnesAreCut) {
    CT_ErrorManager errors;
    errors.v_SetMapFunction(mapsCodeSeven);
    errors.v_SetError(7, nullptr, messageNumber(MessageId::ProgramTitle));
    EXPECT_EQ(messageOf(errors), u"(7): mapped");
    errors.v_ClearError();
    errors.v_SetError(8, nullptr, messageNumber(MessageId::ProgramTitle));
    EXPECT_EQ(messageOf(errors), u"(8): The Quillex 2.0 for Interleaf");
    errors.v_ClearError();
    errors.v_RemoveMapFunction(mapsCodeSeven);
    errors.v_SetError(7, nullptr, 999999); // no such text
    EXPECT_EQ(messageOf(errors), u"(7): ");
    errors.v_ClearError();

    errors.v_SetMessageError(9, std::u16string(5000, u'x'));
    EXPECT_EQ(messageOf(errors).size(), CT_ErrorManager::n_MaxMessageLength);
}

TEST(CT_ErrorManager, WindowShowsFileNamesAndUnknownFiles) {
    CT_ErrorManager errors;
    errors.v_SetMessageError(5, u"disk full");
    errors.v_AddLocation("/src/foundation/ct/ct_buffer.cpp", 40);
    errors.v_AddLocation("C:\\SRC\\CONVERT.CPP", 7);
    errors.v_AddLocation("bare.cpp", 3);
    EXPECT_EQ(errors.o_ErrorLocationText(), u"(5): disk full\n\n"
                                            u"ct_buffer.cpp: line 40\n"
                                            u"CONVERT.CPP: line 7\n"
                                            u"(unknown file): line 3\n");
    EXPECT_STREQ(errors.qccz_GetLocationFileAt(3), "bare.cpp");
    EXPECT_EQ(errors.n_GetLocationLineAt(2), 7);
    EXPECT_STREQ(errors.qccz_GetLocationFileAt(4), "");
}

TEST(CT_ErrorManager, WindowCallbackGetsCaptionBodyAndForegroundStyle) {
    CT_ErrorManager errors;
    errors.v_SetMessageError(5, u"disk full");
    std::u16string caption, body;
    unsigned style = 0;
    CT_ErrorManager::sv_SetErrorWindow(
        [&](std::u16string_view c, std::u16string_view b, unsigned s) {
            caption = c;
            body = b;
            style = s;
            return 1;
        });
    EXPECT_EQ(errors.i_ErrorLocationWindow(messageNumber(MessageId::ProgramTitle), nullptr, 0x30),
              1);
    EXPECT_EQ(caption, u"The Quillex 2.0 for Interleaf");
    EXPECT_EQ(body, u"(5): disk full\n\n");
    EXPECT_EQ(style, 0x30u | CT_ErrorManager::n_StyleSetForeground);
    errors.i_ErrorLocationWindow(0, u"Caption", 0);
    EXPECT_EQ(caption, u"Caption");

    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CT_ErrorManager::sv_SetErrorWindow(
        [](auto, auto, unsigned) { return CT_ErrorManager::i_AnswerAbort; });
    EXPECT_DEATH(errors.i_ErrorLocationWindow(0, u"Abort?", 0), "");
    CT_ErrorManager::sv_SetErrorWindow(nullptr);
}

// Each thread sees only its own record; the twenty-first thread finds the
// pool empty, its error is dropped and counted, and the program goes on.
TEST(CT_ErrorManager, ThreadsShareThePoolAndAnEmptyPoolDropsTheNewRecord) {
    CT_ErrorManager errors;
    const int threads = static_cast<int>(CT_ErrorManager::n_RecordPoolSize) + 1;
    std::vector<int> seen(threads, -1);
    onThreadsTogether(threads, [&](int i) {
        errors.v_SetError(100 + i, "thread %d", i);
        seen[i] = errors.b_IsSetError() ? errors.n_GetErrorCode() : 0;
    });
    int recorded = 0;
    for (int i = 0; i < threads; ++i) {
        EXPECT_TRUE(seen[i] == 0 || seen[i] == 100 + i) << i;
        recorded += seen[i] != 0;
    }
    EXPECT_EQ(recorded, threads - 1);
    EXPECT_EQ(errors.n_GetDroppedRecordCount(), 1u);
    EXPECT_FALSE(errors.b_IsSetError()); // none of it belongs to this thread

    // The threads have ended, so their records are free again.
    onThreadsTogether(threads - 1, [&](int i) { errors.v_SetError(200 + i, "again"); });
    EXPECT_EQ(errors.n_GetDroppedRecordCount(), 1u);
}

TEST(CT_ErrorManager, AnEmptyLocationPoolDropsTheNewLocation) {
    CT_ErrorManager errors;
    errors.v_SetMessageError(1, u"many places");
    for (std::size_t i = 0; i <= CT_ErrorManager::n_LocationPoolSize; ++i)
        errors.v_AddLocation("/a/b.cpp", static_cast<int>(i));
    EXPECT_EQ(errors.n_GetLocationCount(), CT_ErrorManager::n_LocationPoolSize);
    EXPECT_EQ(errors.n_GetDroppedLocationCount(), 1u);
    errors.v_ClearError();
    errors.v_SetMessageError(2, u"after");
    errors.v_AddLocation("/a/c.cpp", 1);
    EXPECT_EQ(errors.n_GetLocationCount(), 1u);
}
