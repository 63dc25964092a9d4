#pragma once
#include <QString>
#include <memory>

#include "platform/ISingleInstance.h"

class QLocalServer;
class QLockFile;

namespace nl {

// One instance per user and name: a lock file marks the first instance (a lock left by a
// process that no longer runs is taken over) and a local socket beside it carries the
// requests of later starts, one line each ("show", "command NAME", with the activation
// token). The first instance answers from its event loop.
class CQtSingleInstance final : public ISingleInstance {
public:
    // `folder` holds the lock and the socket; empty: the user's runtime folder.
    explicit CQtSingleInstance(QString folder = {});
    ~CQtSingleInstance() override;
    CQtSingleInstance(const CQtSingleInstance&) = delete;
    CQtSingleInstance& operator=(const CQtSingleInstance&) = delete;

    InstanceRole Start(const std::string& name) override;
    void SetRequest(InstanceRequest request) override { m_request = std::move(request); }
    void SetRequestListener(RequestListener listener) override { m_listener = std::move(listener); }

    // The file name (without folder) that the lock and the socket of `name` are built from
    // (InstanceFileName).
    static QString SafeName(const std::string& name);
    // The socket path of `name` in this object's folder.
    QString SocketPath(const std::string& name) const;

private:
    bool BecomeFirst(const QString& socketPath);
    InstanceRole AskFirst(const QString& socketPath);

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::unique_ptr<QLocalServer> m_server;
    RequestListener m_listener;
    InstanceRequest m_request;
};

}  // namespace nl
