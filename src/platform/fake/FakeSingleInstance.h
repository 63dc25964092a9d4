#pragma once
#include <map>
#include <string>

#include "platform/ISingleInstance.h"

namespace nl {

// Single instances of a simulated session: every FakeSingleInstance built on the same
// Session sees the names the others hold, as processes of one user do.
class FakeSingleInstance final : public ISingleInstance {
public:
    class Session {
    public:
        bool IsHeld(const std::string& name) const { return m_holders.contains(name); }

    private:
        friend class FakeSingleInstance;
        std::map<std::string, FakeSingleInstance*> m_holders;
    };

    explicit FakeSingleInstance(Session& session) : m_session(session) {}
    ~FakeSingleInstance() override;
    FakeSingleInstance(const FakeSingleInstance&) = delete;
    FakeSingleInstance& operator=(const FakeSingleInstance&) = delete;

    InstanceRole Start(const std::string& name) override;
    void SetRequest(InstanceRequest request) override { m_request = std::move(request); }
    void SetRequestListener(RequestListener listener) override { m_listener = std::move(listener); }

    // A first instance that does not answer (hung): later starts get kSecondUnanswered.
    void SetResponsive(bool responsive) { m_responsive = responsive; }
    // How many requests later starts handed this instance.
    int ShowRequests() const { return m_showRequests; }

private:
    Session& m_session;
    std::string m_held;  // the name this instance holds, empty when none
    RequestListener m_listener;
    InstanceRequest m_request;
    bool m_responsive = true;
    int m_showRequests = 0;
};

}  // namespace nl
