#pragma once
#include <functional>
#include <string>

namespace nl {

// What Start found.
enum class InstanceRole {
    kFirst,             // no other instance runs under the name: this one is the first
    kSecondShown,       // another instance runs and was asked to show itself
    kSecondUnanswered,  // another instance runs but did not take the request in time
};

// Keeps one running instance per user under a name: a later start asks the first one to
// show itself and ends.
class ISingleInstance {
public:
    // Called on the user-interface thread of the first instance when a later start asks it to
    // show itself.
    using ShowListener = std::function<void()>;

    virtual ~ISingleInstance() = default;
    // Tries to become the first instance under `name`. When another instance holds the name
    // it is sent "show" and this one reports that it is not the first. The first instance
    // keeps the name until this object is destroyed; a name left behind by an instance that
    // ended without releasing it is taken over.
    virtual InstanceRole Start(const std::string& name) = 0;
    // Sets the function called when a later start asks this (first) instance to show itself.
    virtual void SetShowListener(ShowListener listener) = 0;
};

}  // namespace nl
