// CT_ErrorManager: the record pools, the per-thread lookup and the error
// window.
#include "foundation/ct/ct_error_manager.h"

#include "foundation/ct/ct_format.h"
#include "foundation/ct/ct_string_convert.h"
#include "foundation/ct/ct_utf.h"
#include "foundation/format_text.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <iostream>

namespace quillex {
namespace {

// The stored message: the error code, then the text (which takes the place
// of %s, the end of the format).
constexpr char kMessageFormat[] = "(%d): %s";
// A location line of the error window: the file's name, then this.
constexpr char kLocationLineFormat[] = ": line %d";
constexpr char kUnknownFile[] = "(unknown file)";
constexpr char kPathSeparators[] = "\\/";

std::atomic<CT_ErrorManager*> g_instance{nullptr};
std::atomic<CT_Module> g_instanceModule{nullptr};

struct ErrorWindowSlot {
    std::mutex mutex;
    CT_ErrorManager::ErrorWindow window;
};

// Never destroyed: threads may end while static objects are torn down.
ErrorWindowSlot& errorWindowSlot() {
    static auto* slot = new ErrorWindowSlot;
    return *slot;
}

// The managers alive, told when a thread ends.
struct ManagerRegistry {
    std::mutex mutex;
    std::vector<CT_ErrorManager*> managers;
};

ManagerRegistry& registry() {
    static auto* managers = new ManagerRegistry;
    return *managers;
}

// A number for the calling thread that no other thread ever gets (thread
// ids may be reused once a thread has ended).
std::uint64_t currentThread() {
    static std::atomic<std::uint64_t> next{1};
    thread_local const std::uint64_t serial = next.fetch_add(1, std::memory_order_relaxed);
    return serial;
}

struct ThreadEnd {
    ~ThreadEnd() {
        ManagerRegistry& known = registry();
        const std::lock_guard lock(known.mutex);
        for (CT_ErrorManager* manager : known.managers)
            manager->v_ReleaseThread(currentThread());
    }
};

// Makes sure the calling thread's records are released when it ends.
void releaseAtThreadEnd() {
    thread_local ThreadEnd end;
    (void)end;
}

CT_Module instanceModule() {
    const CT_Module module = g_instanceModule.load(std::memory_order_relaxed);
    return module != nullptr ? module : CT_ProgramStrings;
}

std::u16string widenAnsi(std::string_view text) {
    std::u16string wide;
    CT_StringConvert::si_AnsiToWide(text.data(), static_cast<int>(text.size()), wide);
    return wide;
}

// System texts and file names come in the locale's encoding, UTF-8.
std::u16string widenUtf8(std::string_view text) {
    std::u16string wide;
    CT_UTF::sv_UTF8ToWide(text, wide);
    return wide;
}

std::string systemErrorText(int errorNumber) {
    char buffer[256];
    return strerror_r(errorNumber, buffer, sizeof(buffer));
}

// The name of `path` after its last separator; a path without one names no
// file the window can show.
std::string_view fileNameOf(std::string_view path) {
    const std::size_t cut = path.find_last_of(kPathSeparators);
    return cut == std::string_view::npos ? kUnknownFile : path.substr(cut + 1);
}

} // namespace

CT_Init CT_ErrorManager::sco_Init("CT_ErrorManager", "sv_Init", &CT_ErrorManager::sv_Init);
CT_Exit CT_ErrorManager::sco_Exit("CT_ErrorManager", "sv_Exit", &CT_ErrorManager::sv_Exit);

CT_ErrorManager::CT_ErrorManager() {
    for (auto record = records_.rbegin(); record != records_.rend(); ++record)
        freeRecords_.push_back(&*record);
    for (auto location = locations_.rbegin(); location != locations_.rend(); ++location)
        freeLocations_.push_back(&*location);
    usedRecords_.reserve(n_RecordPoolSize);
    ManagerRegistry& known = registry();
    const std::lock_guard lock(known.mutex);
    known.managers.push_back(this);
}

CT_ErrorManager::~CT_ErrorManager() {
    ManagerRegistry& known = registry();
    const std::lock_guard lock(known.mutex);
    std::erase(known.managers, this);
}

CT_ErrorManager* CT_ErrorManager::spo_Get() {
    return g_instance.load(std::memory_order_acquire);
}

void CT_ErrorManager::sv_Init() {
    if (spo_Get() == nullptr)
        g_instance.store(new CT_ErrorManager, std::memory_order_release);
}

void CT_ErrorManager::sv_Exit() {
    delete g_instance.exchange(nullptr, std::memory_order_acq_rel);
}

void CT_ErrorManager::sv_SetInstance(CT_Module module) {
    g_instanceModule.store(module, std::memory_order_relaxed);
}

void CT_ErrorManager::sv_SetErrorWindow(ErrorWindow window) {
    ErrorWindowSlot& slot = errorWindowSlot();
    const std::lock_guard lock(slot.mutex);
    slot.window = std::move(window);
}

CT_ErrorManager::Record* CT_ErrorManager::findRecord(std::uint64_t thread) const {
    for (Record* record : usedRecords_)
        if (record->thread == thread)
            return record;
    return nullptr;
}

CT_ErrorManager::ThreadSettings* CT_ErrorManager::findSettings(std::uint64_t thread) {
    for (ThreadSettings& settings : threadSettings_)
        if (settings.thread == thread)
            return &settings;
    return nullptr;
}

CT_ErrorManager::ThreadSettings& CT_ErrorManager::settingsOf(std::uint64_t thread) {
    if (ThreadSettings* settings = findSettings(thread))
        return *settings;
    releaseAtThreadEnd();
    return threadSettings_.emplace_back(ThreadSettings{thread, {}, false});
}

bool CT_ErrorManager::b_AcceptsError() const {
    const std::lock_guard lock(mutex_);
    const std::uint64_t thread = currentThread();
    for (const ThreadSettings& settings : threadSettings_)
        if (settings.thread == thread && settings.ignore)
            return false;
    const Record* record = findRecord(thread);
    return record == nullptr || record->held;
}

bool CT_ErrorManager::b_MapMessage(int code, int stringId, std::u16string& message) const {
    std::vector<MapFunction> functions;
    {
        const std::lock_guard lock(mutex_);
        const std::uint64_t thread = currentThread();
        for (const ThreadSettings& settings : threadSettings_)
            if (settings.thread == thread)
                functions = settings.mapFunctions;
    }
    // The latest registered function is asked first; called unlocked, as it
    // may record errors itself.
    for (auto function = functions.rbegin(); function != functions.rend(); ++function)
        if ((*function)(code, stringId, message))
            return true;
    return false;
}

void CT_ErrorManager::v_Store(int code, int formatId, std::u16string_view text) {
    std::u16string message = widenAnsi(formatText(kMessageFormat, code, ""));
    message += text;
    message.resize(std::min(message.size(), n_MaxMessageLength));

    releaseAtThreadEnd();
    const std::lock_guard lock(mutex_);
    const std::uint64_t thread = currentThread();
    Record* record = findRecord(thread);
    if (record != nullptr && !record->held)
        return; // another error came first while the message was built
    if (record != nullptr)
        v_FreeRecord(record);
    if (freeRecords_.empty()) {
        ++droppedRecords_;
        return;
    }
    record = freeRecords_.back();
    freeRecords_.pop_back();
    usedRecords_.push_back(record);
    record->thread = thread;
    record->code = code;
    record->formatId = formatId;
    record->message = std::move(message);
    record->held = false;
}

void CT_ErrorManager::v_FreeRecord(Record* record) {
    for (Location* location : record->locations)
        freeLocations_.push_back(location);
    record->locations.clear();
    record->message.clear();
    record->thread = 0;
    std::erase(usedRecords_, record);
    freeRecords_.push_back(record);
}

void CT_ErrorManager::v_SetError(int code, CT_Module module, int stringId, ...) {
    if (!b_AcceptsError())
        return;
    std::u16string text;
    if (!b_MapMessage(code, stringId, text)) {
        const std::string format =
            CT_LoadString::so_GetText(module != nullptr ? module : instanceModule(), stringId);
        va_list arguments;
        va_start(arguments, stringId);
        text = widenAnsi(CT_FormatVaList(format.c_str(), arguments));
        va_end(arguments);
    }
    v_Store(code, stringId, text);
}

void CT_ErrorManager::v_SetError(int code, const char* format, ...) {
    if (!b_AcceptsError())
        return;
    va_list arguments;
    va_start(arguments, format);
    const std::u16string text = widenAnsi(CT_FormatVaList(format, arguments));
    va_end(arguments);
    v_Store(code, 0, text);
}

void CT_ErrorManager::v_SetMessageError(int code, std::u16string_view message) {
    if (b_AcceptsError())
        v_Store(code, 0, message);
}

void CT_ErrorManager::v_SetSystemError() {
    const int errorNumber = errno;
    v_SystemError(errorNumber);
    errno = 0;
}

void CT_ErrorManager::v_SystemError(int errorNumber) {
    if (b_AcceptsError())
        v_Store(errorNumber, 0, widenUtf8(systemErrorText(errorNumber)));
}

void CT_ErrorManager::v_AddLocation(const char* file, int line) {
    const std::lock_guard lock(mutex_);
    Record* record = findRecord(currentThread());
    if (record == nullptr)
        return;
    if (freeLocations_.empty()) {
        ++droppedLocations_;
        return;
    }
    Location* location = freeLocations_.back();
    freeLocations_.pop_back();
    location->file = file != nullptr ? file : "";
    location->line = line;
    record->locations.push_back(location);
}

void CT_ErrorManager::v_HoldError() {
    const std::lock_guard lock(mutex_);
    if (Record* record = findRecord(currentThread()))
        record->held = true;
}

bool CT_ErrorManager::b_IsHoldError() const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    return record != nullptr && record->held;
}

void CT_ErrorManager::v_ClearError() {
    const std::lock_guard lock(mutex_);
    if (Record* record = findRecord(currentThread()))
        v_FreeRecord(record);
}

void CT_ErrorManager::v_SetIgnoreError(bool ignore) {
    const std::lock_guard lock(mutex_);
    settingsOf(currentThread()).ignore = ignore;
}

bool CT_ErrorManager::b_IsSetError() const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    return record != nullptr && !record->held;
}

int CT_ErrorManager::n_GetErrorCode() const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    return record != nullptr ? record->code : 0;
}

int CT_ErrorManager::n_GetFormatID() const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    return record != nullptr ? record->formatId : 0;
}

const char16_t* CT_ErrorManager::qcuz_GetErrorMessage() const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    return record != nullptr ? record->message.c_str() : u"";
}

std::size_t CT_ErrorManager::n_GetLocationCount() const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    return record != nullptr ? record->locations.size() : 0;
}

const char* CT_ErrorManager::qccz_GetLocationFileAt(std::size_t position) const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    if (record == nullptr || position < 1 || position > record->locations.size())
        return "";
    return record->locations[position - 1]->file.c_str();
}

int CT_ErrorManager::n_GetLocationLineAt(std::size_t position) const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    if (record == nullptr || position < 1 || position > record->locations.size())
        return 0;
    return record->locations[position - 1]->line;
}

void CT_ErrorManager::v_SetMapFunction(MapFunction function) {
    const std::lock_guard lock(mutex_);
    std::vector<MapFunction>& functions = settingsOf(currentThread()).mapFunctions;
    if (std::find(functions.begin(), functions.end(), function) == functions.end())
        functions.push_back(function);
}

void CT_ErrorManager::v_RemoveMapFunction(MapFunction function) {
    const std::lock_guard lock(mutex_);
    if (ThreadSettings* settings = findSettings(currentThread()))
        std::erase(settings->mapFunctions, function);
}

std::u16string CT_ErrorManager::o_ErrorLocationText() const {
    const std::lock_guard lock(mutex_);
    const Record* record = findRecord(currentThread());
    if (record == nullptr)
        return {};
    std::u16string body = record->message + u"\n\n";
    for (const Location* location : record->locations) {
        body += widenUtf8(fileNameOf(location->file));
        body += widenAnsi(formatText(kLocationLineFormat, location->line));
        body += u'\n';
    }
    return body;
}

int CT_ErrorManager::i_ErrorLocationWindow(int stringId, const char16_t* text, unsigned style) {
    const std::u16string caption =
        text != nullptr ? std::u16string(text)
                        : widenAnsi(CT_LoadString::so_GetText(instanceModule(), stringId));
    const std::u16string body = o_ErrorLocationText();
    ErrorWindow window;
    {
        ErrorWindowSlot& slot = errorWindowSlot();
        const std::lock_guard lock(slot.mutex);
        window = slot.window;
    }
    int answer = i_AnswerNone;
    if (window) {
        answer = window(caption, body, style | n_StyleSetForeground);
    } else {
        // No window: a program without one still shows the error.
        std::string utf8;
        CT_UTF::sv_WideToUTF8(caption + u"\n" + body, utf8);
        std::cerr << utf8;
    }
    if (answer == i_AnswerAbort)
        std::abort();
    return answer;
}

void CT_ErrorManager::sv_OutputDebugMessage(const char* /*message*/) {}

void CT_ErrorManager::sv_OutputDebugMessage(const char16_t* /*message*/) {}

std::size_t CT_ErrorManager::n_GetDroppedRecordCount() const {
    const std::lock_guard lock(mutex_);
    return droppedRecords_;
}

std::size_t CT_ErrorManager::n_GetDroppedLocationCount() const {
    const std::lock_guard lock(mutex_);
    return droppedLocations_;
}

void CT_ErrorManager::v_ReleaseThread(std::uint64_t thread) {
    const std::lock_guard lock(mutex_);
    if (Record* record = findRecord(thread))
        v_FreeRecord(record);
    std::erase_if(threadSettings_,
                  [&](const ThreadSettings& settings) { return settings.thread == thread; });
}

} // namespace quillex
