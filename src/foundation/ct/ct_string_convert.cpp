// CT_StringConvert: code pages through iconv, UTF-7 and UTF-8 through CT_UTF.
#include "foundation/ct/ct_string_convert.h"

#include "foundation/ct/ct_code_page.h"
#include "foundation/ct/ct_error_manager.h"
#include "foundation/ct/ct_utf.h"

#include <array>
#include <atomic>
#include <bit>
#include <cerrno>
#include <climits>
#include <cstring>
#include <iconv.h>
#include <string_view>

namespace quillex {
namespace {

std::atomic<int> g_ansiCodePage{CT_StringConvert::n_DefaultAnsiCodePage};

// The code pages the library converts with its own routines.
struct OwnRoutines {
    int codePage;
    void (*toWide)(std::string_view, std::u16string&);
    void (*toMulti)(std::u16string_view, std::string&);
};
constexpr OwnRoutines kOwnRoutines[] = {
    {CT_StringConvert::n_UTF7, CT_UTF::sv_UTF7ToWide, CT_UTF::sv_WideToUTF7},
    {CT_StringConvert::n_UTF8, CT_UTF::sv_UTF8ToWide, CT_UTF::sv_WideToUTF8},
};

const OwnRoutines* findOwnRoutines(int codePage) {
    for (const OwnRoutines& routines : kOwnRoutines)
        if (routines.codePage == codePage)
            return &routines;
    return nullptr;
}

// char16_t text in memory, as iconv names it.
constexpr const char* kWideEncoding =
    std::endian::native == std::endian::little ? "UTF-16LE" : "UTF-16BE";

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Records a failed conversion: the system error, unless the thread has an
// error pending already, and in any case the place of the conversion.
void recordFailure(int line) {
    CT_ErrorManager* manager = CT_ErrorManager::spo_Get();
    if (manager == nullptr)
        return;
    if (!manager->b_IsSetError())
        manager->v_SetSystemError();
    manager->v_AddLocation(__FILE__, line);
}

// The input as a view; false (errno EINVAL) for a null text or a length
// below -1.
template <class Char>
bool inputOf(const Char* text, int length, std::basic_string_view<Char>& input) {
    if (length < CT_StringConvert::n_ZeroTerminated || (text == nullptr && length != 0)) {
        errno = EINVAL;
        return false;
    }
    if (text == nullptr)
        input = {};
    else if (length == CT_StringConvert::n_ZeroTerminated)
        input = std::basic_string_view<Char>(text);
    else
        input = std::basic_string_view<Char>(text, static_cast<std::size_t>(length));
    return true;
}

// The count a conversion returns; 0 (errno EOVERFLOW) when it does not fit.
int countOf(std::size_t size) {
    if (size > static_cast<std::size_t>(INT_MAX)) {
        errno = EOVERFLOW;
        return 0;
    }
    return static_cast<int>(size);
}

// A failed conversion leaves no partial output.
template <class Output> int failedCount(Output& output) {
    output.clear();
    return 0;
}

class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : handle_(iconv_open(to, from)) {}
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;
    ~IconvHandle() {
        if (b_IsOpen())
            iconv_close(handle_);
    }
    bool b_IsOpen() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `input` into `output`, calling `onInvalid` with the
    // offset of each byte sequence iconv rejects; `onInvalid` answers how
    // many bytes to skip. False on any other iconv failure.
    template <class Output, class OnInvalid>
    bool b_Convert(std::string_view input, Output& output, OnInvalid onInvalid) {
        using Unit = typename Output::value_type;
        std::array<Unit, 512> chunk;
        char* in = const_cast<char*>(input.data());
        std::size_t inLeft = input.size();
        while (inLeft > 0) {
            char* out = reinterpret_cast<char*>(chunk.data());
            std::size_t outLeft = sizeof(chunk);
            const std::size_t result = iconv(handle_, &in, &inLeft, &out, &outLeft);
            output.append(chunk.data(), (sizeof(chunk) - outLeft) / sizeof(Unit));
            if (result != static_cast<std::size_t>(-1) || errno == E2BIG)
                continue;
            if (errno != EILSEQ && errno != EINVAL)
                return false;
            const std::size_t skip =
                std::min(inLeft, onInvalid(static_cast<std::size_t>(in - input.data())));
            in += skip;
            inLeft -= skip;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
        return true;
    }

  private:
    iconv_t handle_;
};

bool multiToWideByIconv(std::string_view multi, const CT_CodePage& page, std::u16string& wide) {
    IconvHandle iconv(kWideEncoding, page.iconvName);
    if (!iconv.b_IsOpen())
        return false;
    return iconv.b_Convert(multi, wide, [&](std::size_t) {
        wide += static_cast<char16_t>(CT_StringConvert::c_DefaultCharacter);
        return std::size_t{1};
    });
}

bool wideToMultiByIconv(std::u16string_view wide, const CT_CodePage& page, char defaultCharacter,
                        bool& usedDefault, std::string& multi) {
    IconvHandle iconv(page.iconvName, kWideEncoding);
    if (!iconv.b_IsOpen())
        return false;
    return iconv.b_Convert(
        std::string_view(reinterpret_cast<const char*>(wide.data()), wide.size() * 2), multi,
        [&](std::size_t offset) {
            // A surrogate pair is one character and gets one default.
            const std::size_t at = offset / sizeof(char16_t);
            const bool pair =
                at + 1 < wide.size() && isHighSurrogate(wide[at]) && isLowSurrogate(wide[at + 1]);
            multi += defaultCharacter;
            usedDefault = true;
            return (pair ? 2 : 1) * sizeof(char16_t);
        });
}

// Converts with the routines `codePage` takes; false (errno set) on failure.
bool toWide(std::string_view multi, int codePage, std::u16string& wide) {
    wide.clear();
    codePage = CT_StringConvert::si_EffectiveCodePage(codePage);
    if (const OwnRoutines* own = findOwnRoutines(codePage)) {
        own->toWide(multi, wide);
        return true;
    }
    const CT_CodePage* page = CT_CodePage::spcco_Find(codePage);
    if (page == nullptr) {
        errno = EINVAL;
        return false;
    }
    return multiToWideByIconv(multi, *page, wide);
}

bool toMulti(std::u16string_view wide, int codePage, char defaultCharacter, bool& usedDefault,
             std::string& multi) {
    multi.clear();
    usedDefault = false;
    codePage = CT_StringConvert::si_EffectiveCodePage(codePage);
    if (const OwnRoutines* own = findOwnRoutines(codePage)) {
        own->toMulti(wide, multi);
        return true;
    }
    const CT_CodePage* page = CT_CodePage::spcco_Find(codePage);
    if (page == nullptr) {
        errno = EINVAL;
        return false;
    }
    return wideToMultiByIconv(wide, *page, defaultCharacter, usedDefault, multi);
}

} // namespace

int CT_StringConvert::si_GetAnsiCodePage() {
    return g_ansiCodePage.load(std::memory_order_relaxed);
}

void CT_StringConvert::sv_SetAnsiCodePage(int codePage) {
    if (CT_CodePage::spcco_Find(codePage) != nullptr)
        g_ansiCodePage.store(codePage, std::memory_order_relaxed);
}

int CT_StringConvert::si_EffectiveCodePage(int codePage) {
    if (findOwnRoutines(codePage) != nullptr || CT_CodePage::spcco_Find(codePage) != nullptr)
        return codePage;
    return si_GetAnsiCodePage();
}

bool CT_StringConvert::sb_IsLeadByte(unsigned char byte, int codePage) {
    const CT_CodePage* page = CT_CodePage::spcco_Find(si_EffectiveCodePage(codePage));
    return page != nullptr && page->b_IsLeadByte(byte);
}

int CT_StringConvert::si_MultiToWide(const char* text, int length, int codePage,
                                     std::u16string& wide) {
    std::string_view input;
    const bool converted = inputOf(text, length, input) && toWide(input, codePage, wide);
    const int count = converted ? countOf(wide.size()) : failedCount(wide);
    if (count == 0 && (!converted || !input.empty()))
        recordFailure(__LINE__);
    return count;
}

int CT_StringConvert::si_WideToMulti(const char16_t* text, int length, int codePage,
                                     std::string& multi, char defaultCharacter, bool* usedDefault) {
    std::u16string_view input;
    bool defaulted = false;
    const bool converted = inputOf(text, length, input) &&
                           toMulti(input, codePage, defaultCharacter, defaulted, multi);
    const int count = converted ? countOf(multi.size()) : failedCount(multi);
    if (usedDefault != nullptr)
        *usedDefault = defaulted;
    if (count == 0 && (!converted || !input.empty()))
        recordFailure(__LINE__);
    return count;
}

int CT_StringConvert::si_AnsiToWide(const char* text, int length, std::u16string& wide) {
    return si_MultiToWide(text, length, si_GetAnsiCodePage(), wide);
}

int CT_StringConvert::si_WideToAnsi(const char16_t* text, int length, std::string& multi,
                                    char defaultCharacter, bool* usedDefault) {
    return si_WideToMulti(text, length, si_GetAnsiCodePage(), multi, defaultCharacter, usedDefault);
}

int CT_StringConvert::si_UTF7ToWide(const char* text, int length, std::u16string& wide) {
    return si_MultiToWide(text, length, n_UTF7, wide);
}

int CT_StringConvert::si_WideToUTF7(const char16_t* text, int length, std::string& utf7) {
    return si_WideToMulti(text, length, n_UTF7, utf7);
}

int CT_StringConvert::si_UTF8ToWide(const char* text, int length, std::u16string& wide) {
    return si_MultiToWide(text, length, n_UTF8, wide);
}

int CT_StringConvert::si_WideToUTF8(const char16_t* text, int length, std::string& utf8) {
    return si_WideToMulti(text, length, n_UTF8, utf8);
}

char16_t CT_StringConvert::sus_MultiToWide(const char* character, int codePage) {
    if (character == nullptr)
        return static_cast<char16_t>(c_DefaultCharacter);
    const bool ownRoutines = findOwnRoutines(si_EffectiveCodePage(codePage)) != nullptr;
    std::size_t length = 1;
    if (ownRoutines)
        length = std::strlen(character);
    else if (sb_IsLeadByte(static_cast<unsigned char>(character[0]), codePage) &&
             character[1] != '\0')
        length = 2;
    std::u16string wide;
    si_MultiToWide(character, static_cast<int>(length), codePage, wide);
    return wide.size() == 1 && wide[0] != 0 ? wide[0] : static_cast<char16_t>(c_DefaultCharacter);
}

char CT_StringConvert::sc_WideToMulti(char16_t character, int codePage) {
    std::string multi;
    si_WideToMulti(&character, 1, codePage, multi);
    return multi.size() == 1 && multi[0] != '\0' ? multi[0] : c_DefaultCharacter;
}

} // namespace quillex
