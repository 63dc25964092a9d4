#include "platform/qt/CQtSingleInstance.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace nl {

namespace {

const QByteArrayView kShowAnswer(kInstanceTakenAnswer.data(),
                                 static_cast<qsizetype>(kInstanceTakenAnswer.size()));
// The longest line the first instance reads from a caller.
constexpr qint64 kMaxRequestLength = static_cast<qint64>(kMaxInstanceRequestLength);
// How long a later start keeps trying to reach the first instance (which may itself be
// starting and not listening yet), and how long it waits for each step.
constexpr int kReachTimeoutMs = 3000;
constexpr int kConnectTimeoutMs = 500;
constexpr int kAnswerTimeoutMs = 2000;
constexpr unsigned long kRetryPauseMs = 50;

}  // namespace

CQtSingleInstance::CQtSingleInstance(QString folder) : m_folder(std::move(folder)) {
    if (m_folder.isEmpty())
        m_folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (m_folder.isEmpty()) m_folder = QDir::tempPath();
}

CQtSingleInstance::~CQtSingleInstance() {
    if (m_server) m_server->close();  // removes the socket
}

QString CQtSingleInstance::SafeName(const std::string& name) {
    return QString::fromStdString(InstanceFileName(name));
}

QString CQtSingleInstance::SocketPath(const std::string& name) const {
    // The path a start without the toolkit builds too (command_hand_over.h).
    return QString::fromStdString(InstanceSocketPath(m_folder.toStdString(), name));
}

InstanceRole CQtSingleInstance::Start(const std::string& name) {
    if (m_lock) return InstanceRole::kFirst;
    QDir().mkpath(m_folder);
    const QString socketPath = SocketPath(name);
    auto lock = std::make_unique<QLockFile>(
        QDir(m_folder).filePath(SafeName(name) + QStringLiteral(".lock")));
    // Only a lock whose process has ended is stale; age alone does not make it so.
    lock->setStaleLockTime(0);
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        BecomeFirst(socketPath);
        return InstanceRole::kFirst;
    }
    if (lock->error() != QLockFile::LockFailedError) {
        // The lock cannot be made at all (no such folder, no rights): run rather than refuse.
        return InstanceRole::kFirst;
    }
    const InstanceRole role = AskFirst(socketPath);
    if (role != InstanceRole::kSecondUnanswered) return role;
    // The first instance may have ended meanwhile: then this one takes its place.
    if (lock->tryLock(0)) {
        m_lock = std::move(lock);
        BecomeFirst(socketPath);
        return InstanceRole::kFirst;
    }
    return role;
}

bool CQtSingleInstance::BecomeFirst(const QString& socketPath) {
    // Holding the lock, any socket found is left over from an instance that crashed.
    QLocalServer::removeServer(socketPath);
    m_server = std::make_unique<QLocalServer>();
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    QLocalServer* server = m_server.get();
    QObject::connect(server, &QLocalServer::newConnection, server, [this, server] {
        while (QLocalSocket* socket = server->nextPendingConnection()) {
            QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                if (!socket->canReadLine()) {
                    if (socket->bytesAvailable() > kMaxRequestLength) socket->abort();
                    return;
                }
                // A line cut at the limit lacks its line break and is refused whole.
                const QByteArray line = socket->readLine(kMaxRequestLength);
                const std::optional<InstanceRequest> request =
                    line.endsWith('\n')
                        ? ParseInstanceRequest(std::string_view(
                              line.constData(), static_cast<std::size_t>(line.size())))
                        : std::nullopt;
                if (!request) {
                    socket->abort();
                    return;
                }
                socket->write(kShowAnswer.data(), kShowAnswer.size());
                socket->flush();
                socket->disconnectFromServer();
                if (m_listener) m_listener(*request);
            });
        }
    });
    return m_server->listen(socketPath);
}

InstanceRole CQtSingleInstance::AskFirst(const QString& socketPath) {
    // A request that cannot be written as a line is sent as a plain "show".
    const std::string line =
        FormatInstanceRequest(m_request).value_or(FormatInstanceRequest(InstanceRequest{}).value());
    const QDeadlineTimer deadline(kReachTimeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(socketPath);
        if (!socket.waitForConnected(kConnectTimeoutMs)) {
            QThread::msleep(kRetryPauseMs);
            continue;
        }
        socket.write(line.data(), static_cast<qint64>(line.size()));
        if (!socket.waitForBytesWritten(kAnswerTimeoutMs)) return InstanceRole::kSecondUnanswered;
        // The answer may come with the first instance closing the connection.
        QByteArray answer;
        QDeadlineTimer answerDeadline(kAnswerTimeoutMs);
        while (!answer.contains('\n') && !answerDeadline.hasExpired()) {
            if (socket.bytesAvailable() == 0 &&
                !socket.waitForReadyRead(static_cast<int>(answerDeadline.remainingTime())))
                break;
            answer += socket.readAll();
        }
        answer += socket.readAll();
        return answer.startsWith(kShowAnswer) ? InstanceRole::kSecondShown
                                              : InstanceRole::kSecondUnanswered;
    }
    return InstanceRole::kSecondUnanswered;
}

}  // namespace nl
