#include "host/Variant.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "host/HostError.h"

namespace corvane::host {

namespace {

template <class... Fs>
struct Overloaded : Fs... {
    using Fs::operator()...;
};
// clang 14 (the fuzz build) does not deduce aggregate template arguments yet.
template <class... Fs>
Overloaded(Fs...) -> Overloaded<Fs...>;

std::string trimMantissaZeros(std::string digits)
{
    if (digits.find('.') == std::string::npos) return digits;
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
    if (!digits.empty() && digits.back() == '.') digits.pop_back();
    return digits;
}

} // namespace

std::string formatNumber(double value)
{
    if (value == 0.0) return "0";
    if (std::isnan(value)) return "NaN";
    if (std::isinf(value)) return value > 0 ? "Infinity" : "-Infinity";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    const std::string scientific(buffer);
    const auto ePos = scientific.find('e');
    const int exponent = std::stoi(scientific.substr(ePos + 1));
    if (exponent >= 15 || exponent < -4) {
        // Exponent form with a signed, at least two-digit exponent.
        std::string mantissa = trimMantissaZeros(scientific.substr(0, ePos));
        std::snprintf(buffer, sizeof buffer, "E%c%02d", exponent < 0 ? '-' : '+', std::abs(exponent));
        return mantissa + buffer;
    }
    const int decimals = std::max(0, 14 - exponent);
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string fixed = trimMantissaZeros(buffer);
    if (fixed == "-0") fixed = "0";
    return fixed;
}

std::string formatDate(const DateTime& value)
{
    char buffer[64];
    const bool hasDate = !(value.year == 1899 && value.month == 12 && value.day == 30);
    const bool hasTime = value.hour != 0 || value.minute != 0 || value.second != 0;
    std::string text;
    if (hasDate || !hasTime) {
        std::snprintf(buffer, sizeof buffer, "%d/%d/%d", value.month, value.day, value.year);
        text = buffer;
    }
    if (hasTime) {
        const int hour12 = value.hour % 12 == 0 ? 12 : value.hour % 12;
        std::snprintf(buffer, sizeof buffer, "%d:%02d:%02d %s", hour12, value.minute, value.second,
                      value.hour < 12 ? "AM" : "PM");
        if (!text.empty()) text += ' ';
        text += buffer;
    }
    return text;
}

std::string Variant::toText() const
{
    return std::visit(Overloaded{
                          [](Empty) { return std::string(); },
                          [](Null) -> std::string { raiseError(errors::kInvalidUseOfNull); },
                          [](bool b) { return std::string(b ? "True" : "False"); },
                          [](std::int64_t n) { return std::to_string(n); },
                          [](double d) { return formatNumber(d); },
                          [](const std::string& s) { return s; },
                          [](const DateTime& d) { return formatDate(d); },
                      },
                      m_value);
}

double Variant::toDouble() const
{
    return std::visit(Overloaded{
                          [](Empty) { return 0.0; },
                          [](Null) -> double { raiseError(errors::kInvalidUseOfNull); },
                          [](bool b) { return b ? -1.0 : 0.0; },
                          [](std::int64_t n) { return static_cast<double>(n); },
                          [](double d) { return d; },
                          [](const std::string&) -> double { raiseError(errors::kTypeMismatch); },
                          [](const DateTime&) -> double { raiseError(errors::kTypeMismatch); },
                      },
                      m_value);
}

} // namespace corvane::host
