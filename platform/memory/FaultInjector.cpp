#include "memory/FaultInjector.h"

#include <algorithm>

namespace corvane::memory {

void FaultInjector::resetCount() noexcept
{
    // Keep an armed k-th call at the same distance from now.
    if (m_failAt != 0) m_failAt -= std::min(m_failAt - 1, m_calls);
    m_calls = 0;
}

void FaultInjector::failCall(std::uint64_t k, std::int32_t number, std::string description)
{
    if (k == 0) return;
    m_failAt = m_calls + k;
    m_failAtNumber = number;
    m_failAtDescription = std::move(description);
}

void FaultInjector::failCalls(std::string name, Occurrence occurrence, std::int32_t number, std::string description)
{
    m_rules.push_back(Rule{std::move(name), occurrence, number, std::move(description)});
    m_hasRules = true;
}

void FaultInjector::disarm() noexcept
{
    m_failAt = 0;
    m_rules.clear();
    m_hasRules = false;
}

void FaultInjector::armedCheck(const char* call, const std::string* detail)
{
    std::string name(call);
    if (m_calls == m_failAt) {
        m_failAt = 0;
        fail(name, m_failAtNumber, m_failAtDescription);
    }
    for (Rule& rule : m_rules) {
        if (rule.spent) continue;
        const bool matches = rule.name == name || (detail != nullptr && rule.name == name + ":" + *detail);
        if (!matches) continue;
        if (rule.occurrence == Occurrence::First) rule.spent = true;
        const std::int32_t number = rule.number;
        const std::string description = rule.description;
        m_hasRules = std::any_of(m_rules.begin(), m_rules.end(), [](const Rule& r) { return !r.spent; });
        fail(name, number, description);
    }
}

void FaultInjector::fail(const std::string& call, std::int32_t number, const std::string& description)
{
    m_failed.push_back(call);
    if (!description.empty()) throw host::HostError(number, description);
    throw host::HostError(number, "Automation error: the host call " + call + " failed");
}

} // namespace corvane::memory
