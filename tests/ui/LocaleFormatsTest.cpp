#include "ui/LocaleFormats.h"

#include "engine/DateFormat.h"
#include "engine/DateTime.h"
#include "engine/Values.h"

#include <QDate>

#include <gtest/gtest.h>

TEST(LocaleFormats, ConvertsQtTokensAndLiterals)
{
    struct TCase {
        const char* Qt;
        const char* Expected;
    };
    const TCase cases[] = {
        { "dd/MM/yyyy", "dd/mm/yyyy" },
        { "M/d/yy", "m/d/yy" },
        { "dd.MM.yy", "dd.mm.yy" },
        { "ddd d MMM yyyy", "ddd d mmm yyyy" },
        { "dddd, d MMMM y", "dddd, d mmmm yyyy" },
        // Letters of quoted text would be tokens of the core's formatter, so they stay quoted.
        { "d.MM.yy 'at' x", "d.mm.yy \"a\"\"t\" \"x\"" },
        { "dd''MM''yy", "dd\"'\"mm\"'\"yy" },
        { "'it''s' dd/MM/yyyy", "\"i\"\"t\"\"'\"\"s\" dd/mm/yyyy" },
        // Nothing usable: no day of the month, no month or no year.
        { "", "dd/mm/yyyy" },
        { "MMMM yyyy", "dd/mm/yyyy" },
        { "dddd MM yyyy", "dd/mm/yyyy" },
        { "dd/MM", "dd/mm/yyyy" },
        { "'dd/MM/yyyy'", "dd/mm/yyyy" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(ConvertQtDateFormat(QString::fromUtf8(c.Qt)), QString::fromUtf8(c.Expected))
            << c.Qt;
}

// Each locale's short date, written by the core's formatter with the converted format, reads
// the same as Qt's own rendering of that date.
TEST(LocaleFormats, ConvertedLocaleFormatsWriteWhatQtWrites)
{
    const QDate date(2004, 3, 6);
    const TDateTime value = EncodeDate(2004, 3, 6);
    EXPECT_EQ(
        ShortDateFormatFromLocale(QLocale(QLocale::English, QLocale::UnitedKingdom)), "dd/mm/yyyy");
    for (const char* name : { "en_GB", "en_US", "de_DE", "fr_FR", "ja_JP", "hu_HU", "bg_BG" }) {
        const QLocale locale(QString::fromLatin1(name));
        const QString format = ShortDateFormatFromLocale(locale);
        EXPECT_EQ(QString::fromStdString(FormatDateTime(format.toStdString(), value)),
            locale.toString(date, QLocale::ShortFormat))
            << name << " " << locale.dateFormat(QLocale::ShortFormat).toStdString() << " -> "
            << format.toStdString();
    }
}

TEST(LocaleFormats, ApplySetsTheCoreFormat)
{
    ShortDateFormat = "x";
    ApplyLocaleFormats();
    EXPECT_EQ(
        QString::fromStdString(ShortDateFormat), ShortDateFormatFromLocale(QLocale::system()));
    ResetProgramValues();
}
