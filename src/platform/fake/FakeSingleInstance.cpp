#include "platform/fake/FakeSingleInstance.h"

namespace nl {

FakeSingleInstance::~FakeSingleInstance() {
    if (!m_held.empty()) m_session.m_holders.erase(m_held);
}

InstanceRole FakeSingleInstance::Start(const std::string& name) {
    const auto it = m_session.m_holders.find(name);
    if (it == m_session.m_holders.end()) {
        if (!m_held.empty()) m_session.m_holders.erase(m_held);
        m_session.m_holders.emplace(name, this);
        m_held = name;
        return InstanceRole::kFirst;
    }
    FakeSingleInstance* first = it->second;
    if (first == this) return InstanceRole::kFirst;
    if (!first->m_responsive) return InstanceRole::kSecondUnanswered;
    ++first->m_showRequests;
    if (first->m_listener) first->m_listener(m_request);
    return InstanceRole::kSecondShown;
}

}  // namespace nl
