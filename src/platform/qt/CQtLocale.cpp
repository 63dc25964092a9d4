#include "platform/qt/CQtLocale.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>
#include <QTime>
#include <chrono>

#include "platform/locale_names.h"

namespace nl {

namespace {

// A number with enough digits to show every group of any grouping rule.
constexpr qlonglong kGroupingSample = 1234567890123456789LL;
// Decimals of the user's number format; the system locale does not carry them here.
constexpr int kDefaultNumDigits = 2;

qsizetype CodePoints(const QString& s) {
    return static_cast<qsizetype>(s.toUcs4().size());
}

bool IsSpace(QChar c) {
    return c.isSpace() || c == QChar(0x00A0) || c == QChar(0x202F);
}

DigitGrouping GroupingOf(const QLocale& locale) {
    DigitGrouping grouping;
    const QString separator = locale.groupSeparator();
    if (separator.isEmpty()) return grouping;
    const QStringList parts = locale.toString(kGroupingSample).split(separator);
    if (parts.size() < 2) return grouping;
    // Group sizes from the decimal symbol leftwards; the leading part is what is left over.
    for (qsizetype i = parts.size() - 1; i >= 1; --i)
        grouping.sizes.push_back(static_cast<int>(CodePoints(parts[i])));
    const qsizetype leading = CodePoints(parts[0]);
    grouping.repeatLast = leading <= grouping.sizes.back();
    if (grouping.repeatLast)
        while (grouping.sizes.size() >= 2 && grouping.sizes[grouping.sizes.size() - 1] ==
                                                 grouping.sizes[grouping.sizes.size() - 2])
            grouping.sizes.pop_back();
    return grouping;
}

int NegativeOrderOf(const QLocale& locale) {
    const QString text = locale.toString(-1.5, 'f', 1);
    const QString minus = locale.negativeSign();
    if (text.startsWith(u'(')) return NumberFormat::kNegParentheses;
    if (!minus.isEmpty() && text.startsWith(minus))
        return text.size() > minus.size() && IsSpace(text[minus.size()])
                   ? NumberFormat::kNegLeadingSpaced
                   : NumberFormat::kNegLeadingMinus;
    if (!minus.isEmpty() && text.endsWith(minus))
        return text.size() > minus.size() && IsSpace(text[text.size() - minus.size() - 1])
                   ? NumberFormat::kNegTrailingSpaced
                   : NumberFormat::kNegTrailingMinus;
    return NumberFormat::kNegLeadingMinus;
}

QDate DateOf(const CivilTime& t) {
    return QDate(t.year, t.month, t.day);
}

QTime TimeOf(const CivilTime& t) {
    return QTime(t.hour, t.minute, t.second, t.millisecond);
}

}  // namespace

NumberFormat CQtLocale::NumberFormatOf(const QLocale& source) {
    QLocale locale = source;
    locale.setNumberOptions(QLocale::DefaultNumberOptions);
    NumberFormat f;
    f.numDigits = kDefaultNumDigits;
    f.decimalSep = locale.decimalPoint().toStdString();
    f.thousandSep = locale.groupSeparator().toStdString();
    f.grouping = GroupingOf(locale);
    const QString half = locale.toString(0.5, 'f', 1);
    f.leadingZero = !half.isEmpty() && half.startsWith(locale.zeroDigit());
    f.negativeOrder = NegativeOrderOf(locale);
    return f;
}

QString CQtLocale::TimeFormatOf(const QLocale& locale) {
    const QString format = locale.timeFormat(QLocale::LongFormat);
    QString out;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == u'\'') quoted = !quoted;
        if (!quoted && c == u't') {
            // Drop the zone name and the space before it.
            while (i + 1 < format.size() && format[i + 1] == u't') ++i;
            while (!out.isEmpty() && IsSpace(out.back())) out.chop(1);
            continue;
        }
        out += c;
    }
    return out.trimmed();
}

NumberFormat CQtLocale::UserNumberFormatFor(const QLocale& system, std::string_view localeName) {
    // Qt's own C locale groups digits; the C library's, which the command line uses, does not.
    if (IsNeutralLocale(localeName)) return NumberFormat::Neutral();
    return NumberFormatOf(system);
}

NumberFormat CQtLocale::UserNumberFormat() const {
    return UserNumberFormatFor(QLocale::system(), NumericLocaleName());
}

std::string CQtLocale::LongDateTime(const CivilTime& local) const {
    const QLocale locale = QLocale::system();
    return (locale.toString(DateOf(local), QLocale::LongFormat) + u' ' +
            locale.toString(TimeOf(local), TimeFormatOf(locale)))
        .toStdString();
}

std::string CQtLocale::ShortDate(const CivilTime& local) const {
    return QLocale::system().toString(DateOf(local), QLocale::ShortFormat).toStdString();
}

std::string CQtLocale::TimeText(const CivilTime& local) const {
    const QLocale locale = QLocale::system();
    return locale.toString(TimeOf(local), TimeFormatOf(locale)).toStdString();
}

int CQtLocale::UtcOffsetMinutes(const COleDateTime& utc) const {
    std::chrono::system_clock::time_point tp;
    if (!utc.ToTimePoint(tp)) return 0;
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(tp.time_since_epoch()).count();
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms, Qt::LocalTime);
    return local.isValid() ? local.offsetFromUtc() / 60 : 0;
}

}  // namespace nl
