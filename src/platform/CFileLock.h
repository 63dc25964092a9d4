#pragma once
#include <functional>
#include <utility>

namespace nl {

// An advisory lock on a file, held from the moment a file system hands it out until it is
// released or destroyed. Moving it hands the lock over; an empty lock holds nothing.
class CFileLock {
public:
    CFileLock() = default;
    explicit CFileLock(std::function<void()> release) : m_release(std::move(release)) {}
    CFileLock(CFileLock&& other) noexcept : m_release(std::exchange(other.m_release, {})) {}
    CFileLock& operator=(CFileLock&& other) noexcept {
        if (this != &other) {
            Release();
            m_release = std::exchange(other.m_release, {});
        }
        return *this;
    }
    CFileLock(const CFileLock&) = delete;
    CFileLock& operator=(const CFileLock&) = delete;
    ~CFileLock() { Release(); }

    bool IsHeld() const { return static_cast<bool>(m_release); }
    void Release() {
        if (auto release = std::exchange(m_release, {})) release();
    }

private:
    std::function<void()> m_release;
};

}  // namespace nl
