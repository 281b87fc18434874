// CT_ErrorManager: per-thread error records with their messages and the
// source locations they passed through.
//
// A thread has at most one record: pending after v_SetError, or held after
// v_HoldError. While one is pending, further errors of that thread are
// ignored, so the first cause is the one reported; a new error replaces a
// held one. Records come from fixed pools shared by all threads; when a pool
// is empty the new record (or location) is dropped and counted rather than
// ending the program. A thread's records are released when it ends, so a
// later thread never inherits them.
//
// The program-wide manager is created at start-up by a static hook and
// destroyed at exit; tests may make managers of their own.
#pragma once

#include "foundation/ct/ct_init.h"
#include "foundation/ct/ct_load_string.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace quillex {

class CT_ErrorManager {
  public:
    static constexpr std::size_t n_RecordPoolSize = 20;
    static constexpr std::size_t n_LocationPoolSize = 100;
    // Stored messages are cut to this many 16-bit characters.
    static constexpr std::size_t n_MaxMessageLength = 1024;
    // Added to the style of every error window: bring it to the front.
    static constexpr unsigned n_StyleSetForeground = 0x10000;
    // The error window's answer that ends the program.
    static constexpr int i_AnswerAbort = 3;
    // What i_ErrorLocationWindow answers when no window is installed.
    static constexpr int i_AnswerNone = 0;

    // Gives the message of an error instead of the string table: answers
    // true when it filled `message`.
    using MapFunction = bool (*)(int errorCode, int stringId, std::u16string& message);
    // Shows an error window (installed with sv_SetErrorWindow; the program's
    // front ends install none) and answers the button chosen.
    using ErrorWindow =
        std::function<int(std::u16string_view caption, std::u16string_view body, unsigned style)>;

    CT_ErrorManager();
    CT_ErrorManager(const CT_ErrorManager&) = delete;
    CT_ErrorManager& operator=(const CT_ErrorManager&) = delete;
    ~CT_ErrorManager();

    // The program-wide manager; null before sv_Init and after sv_Exit.
    static CT_ErrorManager* spo_Get();
    static void sv_Init();
    static void sv_Exit();
    // The module whose texts v_SetError loads when it is given none.
    static void sv_SetInstance(CT_Module module);
    static void sv_SetErrorWindow(ErrorWindow window);

    // Records error `code` with text `stringId` of `module` (null: the
    // instance module) formatted printf-style with the arguments, or the
    // text a mapping function of the thread gives.
    void v_SetError(int code, CT_Module module, int stringId, ...);
    // Records error `code` with `format` formatted with the arguments.
    void v_SetError(int code, const char* format, ...) __attribute__((format(printf, 3, 4)));
    // Records error `code` with the given message.
    void v_SetMessageError(int code, std::u16string_view message);
    // Records the last system error (errno) and resets it to 0.
    void v_SetSystemError();
    // Records system error `errorNumber` with its text.
    void v_SystemError(int errorNumber);
    // Adds a location to the thread's record, if it has one.
    void v_AddLocation(const char* file, int line);

    void v_HoldError();
    bool b_IsHoldError() const;
    void v_ClearError();
    // While set, errors of the calling thread are not recorded.
    void v_SetIgnoreError(bool ignore);
    // True when the thread has a pending (not held) record.
    bool b_IsSetError() const;

    // The thread's record, pending or held; 0 and empty without one. Texts
    // stay valid until the thread's record is cleared or replaced.
    int n_GetErrorCode() const;
    int n_GetFormatID() const;
    const char16_t* qcuz_GetErrorMessage() const;
    std::size_t n_GetLocationCount() const;
    // Locations count from 1, in the order they were added.
    const char* qccz_GetLocationFileAt(std::size_t position) const;
    int n_GetLocationLineAt(std::size_t position) const;

    void v_SetMapFunction(MapFunction function);
    void v_RemoveMapFunction(MapFunction function);

    // Shows the thread's error in the error window: caption `text`, or
    // text `stringId` of the instance module when `text` is null; body the
    // message, a blank line and one "name: line N" line per location.
    // Answering Abort ends the program.
    int i_ErrorLocationWindow(int stringId, const char16_t* text, unsigned style);
    // The window's body for the thread's record.
    std::u16string o_ErrorLocationText() const;

    // Debug output: nothing in this program.
    static void sv_OutputDebugMessage(const char* message);
    static void sv_OutputDebugMessage(const char16_t* message);

    // Records and locations dropped because their pool was empty.
    std::size_t n_GetDroppedRecordCount() const;
    std::size_t n_GetDroppedLocationCount() const;

    // Releases the records of the thread with serial `thread` (when it ends).
    void v_ReleaseThread(std::uint64_t thread);

    static CT_Init sco_Init;
    static CT_Exit sco_Exit;

  private:
    struct Location {
        std::string file;
        int line = 0;
    };
    struct Record {
        std::uint64_t thread = 0;
        int code = 0;
        int formatId = 0;
        std::u16string message;
        std::vector<Location*> locations;
        bool held = false;
    };
    struct ThreadSettings {
        std::uint64_t thread = 0;
        std::vector<MapFunction> mapFunctions;
        bool ignore = false;
    };

    Record* findRecord(std::uint64_t thread) const;
    ThreadSettings* findSettings(std::uint64_t thread);
    ThreadSettings& settingsOf(std::uint64_t thread);
    // True when the calling thread may record a new error now.
    bool b_AcceptsError() const;
    bool b_MapMessage(int code, int stringId, std::u16string& message) const;
    void v_Store(int code, int formatId, std::u16string_view text);
    void v_FreeRecord(Record* record);

    mutable std::mutex mutex_;
    std::array<Record, n_RecordPoolSize> records_;
    std::array<Location, n_LocationPoolSize> locations_;
    std::vector<Record*> freeRecords_;
    std::vector<Location*> freeLocations_;
    std::vector<Record*> usedRecords_;
    std::vector<ThreadSettings> threadSettings_;
    std::size_t droppedRecords_ = 0;
    std::size_t droppedLocations_ = 0;
};

} // namespace quillex
