#pragma once
// A field value as the host hands it over: Empty, Null, or a typed value.
// toText() is the runtime's conversion of a value to text (used when a field
// value is listed); Null cannot be converted and raises error 94.

#include <cstdint>
#include <string>
#include <variant>

namespace corvane::host {

struct DateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

class Variant {
public:
    struct Empty { friend bool operator==(Empty, Empty) { return true; } };
    struct Null { friend bool operator==(Null, Null) { return true; } };

    Variant() = default;
    static Variant null() { return Variant(Null{}); }
    Variant(bool v) : m_value(v) {}
    Variant(std::int32_t v) : m_value(std::int64_t{v}) {}
    Variant(std::int64_t v) : m_value(v) {}
    Variant(double v) : m_value(v) {}
    Variant(std::string v) : m_value(std::move(v)) {}
    Variant(const char* v) : m_value(std::string(v)) {}
    Variant(DateTime v) : m_value(v) {}

    [[nodiscard]] bool isNull() const noexcept { return std::holds_alternative<Null>(m_value); }
    [[nodiscard]] bool isEmpty() const noexcept { return std::holds_alternative<Empty>(m_value); }
    [[nodiscard]] bool isText() const noexcept { return std::holds_alternative<std::string>(m_value); }
    [[nodiscard]] bool isNumber() const noexcept
    {
        return std::holds_alternative<std::int64_t>(m_value) || std::holds_alternative<double>(m_value);
    }
    [[nodiscard]] bool isDate() const noexcept { return std::holds_alternative<DateTime>(m_value); }

    // Raises error 94 for Null. Empty converts to the empty text.
    [[nodiscard]] std::string toText() const;
    // Raises error 13 when the value is not a number (Null raises 94).
    [[nodiscard]] double toDouble() const;

    using Storage = std::variant<Empty, Null, bool, std::int64_t, double, std::string, DateTime>;
    [[nodiscard]] const Storage& storage() const noexcept { return m_value; }

    friend bool operator==(const Variant&, const Variant&) = default;

private:
    explicit Variant(Null n) : m_value(n) {}
    Storage m_value;
};

// The runtime's number-to-text conversion: up to 15 significant digits,
// no trailing zeros, exponent form (1E+20, 1E-05) for very large or small.
[[nodiscard]] std::string formatNumber(double value);
// Short date as the runtime writes it: M/D/YYYY, with h:mm:ss AM/PM when a time is present.
[[nodiscard]] std::string formatDate(const DateTime& value);

} // namespace corvane::host
