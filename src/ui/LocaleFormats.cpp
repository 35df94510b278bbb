#include "ui/LocaleFormats.h"

#include "engine/Values.h"

namespace {

const QString FallbackFormat = QStringLiteral("dd/mm/yyyy");

bool IsAsciiLetter(QChar c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}

// Appends one literal character so that the core's formatter copies it: ASCII letters and
// quote characters go inside quotes, everything else stands as it is.
void AppendLiteral(QString& out, QChar c)
{
    if (c == u'"')
        out += QStringLiteral("'\"'");
    else if (IsAsciiLetter(c) || c == u'\'')
        out += u'"' + QString(c) + u'"';
    else
        out += c;
}

} // namespace

QString ShortDateFormatFromLocale(const QLocale& locale)
{
    return ConvertQtDateFormat(locale.dateFormat(QLocale::ShortFormat));
}

QString ConvertQtDateFormat(const QString& format)
{
    QString out;
    bool hasDay = false, hasMonth = false, hasYear = false;
    qsizetype i = 0;
    while (i < format.size()) {
        const QChar c = format[i];
        if (c == u'\'') {
            // '' is a quote character, inside quoted text as well as outside it.
            if (i + 1 < format.size() && format[i + 1] == u'\'') {
                AppendLiteral(out, c);
                i += 2;
                continue;
            }
            ++i;
            while (i < format.size()) {
                if (format[i] == u'\'') {
                    if (i + 1 < format.size() && format[i + 1] == u'\'') {
                        AppendLiteral(out, u'\'');
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                AppendLiteral(out, format[i]);
                ++i;
            }
            continue;
        }
        qsizetype count = 1;
        while (i + count < format.size() && format[i + count] == c)
            ++count;
        if (c == u'd') {
            out += QString(qMin<qsizetype>(count, 4), u'd');
            hasDay = hasDay || count <= 2;
        } else if (c == u'M') {
            out += QString(qMin<qsizetype>(count, 4), u'm');
            hasMonth = true;
        } else if (c == u'y') {
            // A single y is the full year, as in the locale data the format comes from.
            out += count == 2 || count == 3 ? QStringLiteral("yy") : QStringLiteral("yyyy");
            hasYear = true;
        } else {
            for (qsizetype k = 0; k < count; ++k)
                AppendLiteral(out, c);
        }
        i += count;
    }
    return hasDay && hasMonth && hasYear ? out : FallbackFormat;
}

void ApplyLocaleFormats()
{
    ShortDateFormat = ShortDateFormatFromLocale(QLocale::system()).toStdString();
}
