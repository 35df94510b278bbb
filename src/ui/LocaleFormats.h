#pragma once

#include <QLocale>
#include <QString>

// The locale's short date format in the tokens of the core's date formatter (d, dd, m, mm, mmm,
// mmmm, yy, yyyy, quoted text); "dd/mm/yyyy" when the locale's format lacks a day, a month or
// a year.
QString ShortDateFormatFromLocale(const QLocale& locale);

// The conversion itself, for a Qt date format text (d, dd, ddd, dddd, M, MM, MMM, MMMM, yy,
// yyyy, '...' quoted text with '' for a quote character), with the same fallback.
QString ConvertQtDateFormat(const QString& qtFormat);

// Sets the core's ShortDateFormat from the system locale; called once at start.
void ApplyLocaleFormats();
