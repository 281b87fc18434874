// File filters of the string table in the form Qt's file dialogs take.
#include "app/gui/file_filter.h"

#include <QStringList>

namespace quillex {
namespace {

// "*.DOC;*.STY" as "*.DOC *.STY *.doc *.sty": the patterns as written, then
// their lower-case twins where those differ.
QString patternList(const QString& patterns) {
    const QStringList written = patterns.split(';', Qt::SkipEmptyParts);
    QStringList all = written;
    for (const QString& pattern : written)
        if (pattern.toLower() != pattern && !all.contains(pattern.toLower()))
            all.append(pattern.toLower());
    return all.join(' ');
}

// The description without its parenthesised pattern list.
QString descriptionName(const QString& description) {
    const qsizetype open = description.lastIndexOf('(');
    return (open < 0 ? description : description.left(open)).trimmed();
}

} // namespace

QString qtFileFilter(std::string_view tableFilter) {
    const QStringList fields =
        QString::fromLatin1(tableFilter.data(), static_cast<qsizetype>(tableFilter.size()))
            .split('|');
    QStringList filters;
    // Fields come in pairs (description, patterns); the closing "||" leaves
    // empty fields that end the list.
    for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
        if (fields[i].isEmpty())
            break;
        filters.append(descriptionName(fields[i]) + " (" + patternList(fields[i + 1]) + ")");
    }
    return filters.join(";;");
}

} // namespace quillex
