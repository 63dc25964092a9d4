#pragma once
#include <functional>
#include <string>
#include <utility>

#include "platform/instance_request.h"

namespace nl {

// What Start found.
enum class InstanceRole {
    kFirst,             // no other instance runs under the name: this one is the first
    kSecondShown,       // another instance runs and took the request (show, or a command)
    kSecondUnanswered,  // another instance runs but did not take the request in time
};

// Keeps one running instance per user under a name: a later start hands the first one its
// request (show yourself, or run a command) and ends.
class ISingleInstance {
public:
    // Called on the user-interface thread of the first instance with the request of a later
    // start.
    using RequestListener = std::function<void(const InstanceRequest&)>;
    using ShowListener = std::function<void()>;

    virtual ~ISingleInstance() = default;
    // Tries to become the first instance under `name`. When another instance holds the name
    // it is sent the request of SetRequest (by default: show) and this one reports that it
    // is not the first. The first instance keeps the name until this object is destroyed; a
    // name left behind by an instance that ended without releasing it is taken over.
    virtual InstanceRole Start(const std::string& name) = 0;
    // What Start sends when another instance runs; set before Start.
    virtual void SetRequest(InstanceRequest request) = 0;
    // Sets the function called when a later start hands this (first) instance its request.
    virtual void SetRequestListener(RequestListener listener) = 0;
    // A listener that only learns that a later start came, whatever it asked.
    void SetShowListener(ShowListener listener) {
        SetRequestListener([show = std::move(listener)](const InstanceRequest&) {
            if (show) show();
        });
    }
};

}  // namespace nl
