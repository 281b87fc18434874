// SSException: message formats, printf-style filling and the pending slot.
#include "parser/ss_exception.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <cstring>

namespace quillex {

std::string_view SSException::format(SSExceptionId id) {
    switch (id) {
    case SSExceptionId::OutOfStorage:
        return "SSException0001e: Out of storage";
    case SSExceptionId::LexOpenFile:
        return "SSLex0101e: Error opening file, %s, %ld";
    case SSExceptionId::LexReadFile:
        return "SSLex0102e: Invalid file length or read error, %s, %ld";
    case SSExceptionId::LexLexemeTooLong:
        return "SSLex0103e: Lexeme too long, %ld";
    case SSExceptionId::LexInvalidTable:
        return "SSLex0104e: Invalid table, %s";
    case SSExceptionId::LexInvalidToken:
        return "SSLex0105e: Invalid token, Line %ld, Offset %ld, %s";
    case SSExceptionId::LexInvalidExpressionList:
        return "SSLex0106e: Invalid expression list index, %ld";
    case SSExceptionId::LexMissing:
        return "SSLex0107e: Table or consumer missing, required";
    case SSExceptionId::LexResourceNotFound:
        return "SSLex0108e: Resource not found, %s";
    case SSExceptionId::LifoStackFull:
        return "SSLifo0001e: Stack full";
    case SSExceptionId::LifoNoTop:
        return "SSLifo0002e: No top, stack empty";
    case SSExceptionId::LifoCannotPop:
        return "SSLifo0004e: Cannot pop empty stack";
    case SSExceptionId::LifoInvalidIndex:
        return "SSLifo0003e: Invalid index";
    case SSExceptionId::RefCountNegative:
        return "SSRef0001e: Reference count less than zero";
    case SSExceptionId::YaccOpenFile:
        return "SSYacc0101e: Open file failed, %s";
    case SSExceptionId::YaccParseFailed:
        return "SSYacc0102e: Parse failed, invalid table";
    case SSExceptionId::YaccReadPastEof:
        return "SSYacc0103e: Attempted read past eof";
    case SSExceptionId::YaccErrorPanic:
        return "SSYacc0104e: Error panic failed, no valid token";
    case SSExceptionId::YaccErrorTokenNoValid:
        return "SSYacc0105e: Error token failed, no valid token";
    case SSExceptionId::YaccErrorTokenEof:
        return "SSYacc0106e: Error token failed, eof";
    case SSExceptionId::YaccInvalidGoto:
        return "SSYacc0107e: Invalid goto on %ld";
    case SSExceptionId::YaccInvalidIndex:
        return "SSYacc0108e: Invalid index on elementFromProduction, %ld";
    case SSExceptionId::YaccTableMissing:
        return "SSYacc0109e: setTable missing, required";
    case SSExceptionId::YaccLexMissing:
        return "SSYacc0110e: setLex missing, required";
    case SSExceptionId::YaccReadTable:
        return "SSYacc0111e: Error reading table, %s";
    case SSExceptionId::YaccTableTooBig:
        return "SSYacc0112e: Table too big";
    case SSExceptionId::YaccInvalidState:
        return "SSYacc0114e: Invalid state specified, %ld";
    case SSExceptionId::YaccResourceNotFound:
        return "SSYacc0114e: Resource not found, %s";
    case SSExceptionId::SetFull:
        return "SSSetArray0001e: Set full";
    case SSExceptionId::YaccTooManyTokens:
        return "SSYacc: Too many tokens or productions, %ld";
    }
    return {};
}

namespace {

// Appends one conversion (the text between '%' and the conversion letter
// included) filled with `parm`.
void appendConversion(std::string& out, std::string_view conversion, const SSExceptionParm& parm) {
    const char letter = conversion.back();
    char buffer[32];
    switch (parm.kind()) {
    case SSExceptionParm::Kind::Text:
        out += parm.text();
        return;
    case SSExceptionParm::Kind::Number:
        if (letter == 'x' || letter == 'X')
            std::snprintf(buffer, sizeof buffer, "%" PRIx64,
                          static_cast<std::uint64_t>(parm.number()));
        else if (letter == 'u')
            std::snprintf(buffer, sizeof buffer, "%" PRIu64,
                          static_cast<std::uint64_t>(parm.number()));
        else
            std::snprintf(buffer, sizeof buffer, "%" PRId64, parm.number());
        out += buffer;
        return;
    case SSExceptionParm::Kind::Pointer:
        std::snprintf(buffer, sizeof buffer, "%p", parm.pointer());
        out += buffer;
        return;
    case SSExceptionParm::Kind::None:
        out += "(null)";
        return;
    }
}

} // namespace

std::string SSException::formatText(std::string_view format,
                                    std::initializer_list<SSExceptionParm> parms) {
    std::string out;
    auto next = parms.begin();
    for (std::size_t i = 0; i < format.size(); ++i) {
        if (format[i] != '%' || i + 1 == format.size()) {
            out += format[i];
            continue;
        }
        if (format[i + 1] == '%') {
            out += '%';
            ++i;
            continue;
        }
        // A conversion: flags, width and length letters up to the type letter.
        std::size_t end = i + 1;
        while (end < format.size() && std::strchr("-+ #0123456789.lhz", format[end]) != nullptr)
            ++end;
        if (end == format.size()) {
            out.append(format.substr(i));
            break;
        }
        const SSExceptionParm none;
        appendConversion(out, format.substr(i, end - i + 1), next != parms.end() ? *next : none);
        if (next != parms.end())
            ++next;
        i = end;
    }
    return out;
}

SSException::SSException(std::int32_t id, std::string_view text) : id_(id) {
    setText(text);
}

SSException::SSException(SSExceptionId id, std::initializer_list<SSExceptionParm> parms)
    : id_(static_cast<std::int32_t>(id)) {
    setText(formatText(format(id), parms));
    for (const auto& parm : parms) {
        if (parmCount_ == maxParms)
            break;
        parms_[parmCount_++] = parm;
    }
}

void SSException::setText(std::string_view text) {
    const std::size_t length = std::min(text.size(), maxTextLength);
    std::memcpy(text_.data(), text.data(), length);
    text_[length] = '\0';
}

SSExceptionOutOfStorage::SSExceptionOutOfStorage()
    : SSException(static_cast<std::int32_t>(SSExceptionId::OutOfStorage),
                  format(SSExceptionId::OutOfStorage)) {}

void SSExceptionPresent::throwException(const SSException& exception) {
    pending_ = exception;
    throw exception;
}

void SSExceptionPresent::throwException(SSExceptionId id,
                                        std::initializer_list<SSExceptionParm> parms) {
    throwException(SSException(id, parms));
}

void throwSSException(SSExceptionId id, std::initializer_list<SSExceptionParm> parms) {
    throw SSException(id, parms);
}

} // namespace quillex
