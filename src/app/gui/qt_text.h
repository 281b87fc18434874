// Conversions between the program's 8-bit strings and Qt's strings.
//
// Paths and results lines are bytes in the local encoding (as the settings
// store keeps them); the window shows them as QString. Messages come from the
// string table by name, never retyped.
#pragma once

#include "foundation/string_table.h"

#include <QString>

#include <string>

namespace quillex {

inline QString toQt(const std::string& text) {
    return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string fromQt(const QString& text) {
    return text.toLocal8Bit().toStdString();
}

// A string-table message, formatted, as a QString.
template <typename... Args> QString message(MessageId id, Args... args) {
    return toQt(formatString(id, args...));
}

} // namespace quillex
