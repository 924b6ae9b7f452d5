#include "platform/fake/fake_platform.h"

#include "platform/key_queue.h"

#include <algorithm>
#include <cstring>

namespace platform::fake {

namespace {

class FakeSerialPort : public SerialPort {
public:
    explicit FakeSerialPort(FakeSerialDevice& device) : device_(device) {
        device_.open = true;
        ++device_.openCount;
    }
    ~FakeSerialPort() override { device_.open = false; }

    bool setBaudRate(int baud) override {
        if (device_.refuseSettings) return false;
        device_.baud = baud;
        return true;
    }
    bool setLineFormat(const LineFormat& format) override {
        if (device_.refuseSettings) return false;
        device_.format = format;
        return true;
    }
    bool setReadTimeouts(const ReadTimeouts& timeouts) override {
        device_.timeouts = timeouts;
        return true;
    }
    void setModemLines(bool rts, bool dtr) override {
        device_.rts = rts;
        device_.dtr = dtr;
    }
    int bytesWaiting() override { return device_.unplugged ? -1 : static_cast<int>(device_.inbound.size()); }
    // Nothing arrives while a read waits, so a read with a time limit ends at its limit.
    int readBytes(char* buffer, int max) override {
        if (device_.unplugged) return -1;
        const int count = std::min<int>(max, static_cast<int>(device_.inbound.size()));
        std::memcpy(buffer, device_.inbound.data(), static_cast<size_t>(count));
        device_.inbound.erase(0, static_cast<size_t>(count));
        return count;
    }
    int writeBytes(const char* bytes, int length) override {
        if (device_.unplugged) return -1;
        const std::string text(bytes, static_cast<size_t>(length));
        device_.written += text;
        if (device_.responder) device_.inbound += device_.responder(text, device_.baud, device_.format);
        return length;
    }

private:
    FakeSerialDevice& device_;
};

class FakeNetworkLine : public NetworkLine {
public:
    FakeNetworkLine(FakeSerialDevice* device, int looksBeforeMade, int roundTripMs, FakeClock& clock)
        : device_(device), looksLeft_(looksBeforeMade), roundTripMs_(roundTripMs), clock_(clock) {}

    bool setReadTimeouts(const ReadTimeouts& timeouts) override {
        NetworkLine::setReadTimeouts(timeouts);
        return !made_ || made_->setReadTimeouts(timeouts);
    }

    Connection connection(int waitMs) override {
        if (made_) return Connection::Made;
        if (!device_ || device_->unplugged || device_->open) return Connection::Failed;
        if (waitMs == 0 && looksLeft_ > 0) {
            --looksLeft_;
            return Connection::Connecting;
        }
        made_ = std::make_unique<FakeSerialPort>(*device_);
        made_->setReadTimeouts(timeouts_);
        return Connection::Made;
    }

    int bytesWaiting() override {
        if (!made_) return -1;
        arrive();
        return made_->bytesWaiting();
    }
    // A read with a time limit waits, on the clock, for the next answer on the way.
    int readBytes(char* buffer, int max) override {
        if (!made_) return -1;
        arrive();
        if (device_->inbound.empty() && timeouts_.constantMs > 0) {
            const long long until = clock_.nowMs + timeouts_.constantMs;
            clock_.nowMs = onTheWay_.empty() ? until : std::min(until, onTheWay_.front().dueMs);
            arrive();
        }
        return made_->readBytes(buffer, max);
    }
    int writeBytes(const char* bytes, int length) override {
        if (!made_) return -1;
        const std::size_t before = device_->inbound.size();
        const int written = made_->writeBytes(bytes, length);
        if (roundTripMs_ > 0 && device_->inbound.size() > before) {
            onTheWay_.push_back({clock_.nowMs + roundTripMs_, device_->inbound.substr(before)});
            device_->inbound.resize(before);
        }
        return written;
    }

private:
    struct OnTheWay {
        long long dueMs;
        std::string bytes;
    };
    void arrive() {
        while (!onTheWay_.empty() && onTheWay_.front().dueMs <= clock_.nowMs) {
            device_->inbound += onTheWay_.front().bytes;
            onTheWay_.pop_front();
        }
    }

    FakeSerialDevice* device_;
    int looksLeft_;
    int roundTripMs_;
    FakeClock& clock_;
    std::unique_ptr<FakeSerialPort> made_;
    std::deque<OnTheWay> onTheWay_;
};

std::string serverKey(const std::string& host, int port) { return host + " " + std::to_string(port); }

}  // namespace

FakeSerialDevice& FakeNetworkLineConnector::addServer(const std::string& host, int port) {
    auto& slot = servers_[serverKey(host, port)];
    if (!slot) slot = std::make_unique<FakeSerialDevice>();
    return *slot;
}

std::unique_ptr<NetworkLine> FakeNetworkLineConnector::connect(const std::string& host, int port) {
    const std::string key = serverKey(host, port);
    connectAttempts.push_back(key);
    const auto found = servers_.find(key);
    return std::make_unique<FakeNetworkLine>(found == servers_.end() ? nullptr : found->second.get(), looksBeforeMade,
                                             roundTripMs, clock_);
}

FakeSerialDevice& FakeSerialPortOpener::addDevice(int comNumber) {
    auto& slot = devices_[comNumber];
    if (!slot) slot = std::make_unique<FakeSerialDevice>();
    return *slot;
}

FakeSerialDevice* FakeSerialPortOpener::device(int comNumber) {
    const auto found = devices_.find(comNumber);
    return found == devices_.end() ? nullptr : found->second.get();
}

std::unique_ptr<SerialPort> FakeSerialPortOpener::open(int comNumber) {
    openAttempts.push_back(comNumber);
    FakeSerialDevice* found = device(comNumber);
    if (!found || found->open || found->unplugged) return nullptr;  // missing, or held exclusively already
    return std::make_unique<FakeSerialPort>(*found);
}

void FakeSoundPlayer::playSync(const std::string& path) {
    playAsync(path);
    while (stillPlaying(0)) {
    }
}

void FakeSoundPlayer::playSyncBeforeNext(const std::string& path) {
    playAsync(path);
    while (stillPlayingBeforeNext(0)) {
    }
}

void FakeSoundPlayer::playAsync(const std::string& path) {
    played.push_back(path);
    looks.push_back(0);
    looksLeft_ = waitingCallsPerPlay;
    if (onPlay) onPlay(path);
}

bool FakeSoundPlayer::stillPlaying(int) {
    if (looksLeft_ <= 0) return false;
    --looksLeft_;
    ++looks.back();
    return true;
}

bool FakeSoundPlayer::stillPlayingBeforeNext(int waitMs) { return looksLeft_ > handOverLooks && stillPlaying(waitMs); }

void FakeSoundPlayer::stop() {
    if (looksLeft_ > 0 && !played.empty()) cut.push_back(played.back());
    looksLeft_ = 0;
}

bool FakePanelWindow::open(const std::string& windowTitle, const WindowGeometry& windowGeometry) {
    title = windowTitle;
    geometry = windowGeometry;
    isOpen = true;
    return true;
}

void FakePanelWindow::close() {
    isOpen = false;
    wasClosed = true;
}

void FakePanelWindow::moveTo(int x, int y) {
    x_ = x;
    y_ = y;
}

void FakePanelWindow::selectFont(const FontSpec& font) { font_ = font; }

void FakePanelWindow::drawText(const std::string& text) {
    std::string shown = text;
    if (shown.size() >= 2 && shown.compare(shown.size() - 2, 2, "\r\n") == 0) shown.resize(shown.size() - 2);
    drawn.push_back({x_, y_, font_, shown});
    x_ += kCharWidth * static_cast<int>(shown.size());
}

void FakePanelWindow::startTimer(int id, int periodMs) {
    timers[id] = periodMs;
    if (timerRunning && id != timerId) return;
    timerRunning = true;
    timerId = id;
    timerPeriodMs = periodMs;
}

void FakePanelWindow::stopTimer(int id) {
    timers.erase(id);
    if (id == timerId) timerRunning = false;
}

void FakePanelWindow::postKey(int keyCode) {
    post({MessageKind::KeyDown, keyCode, 0});
    post({MessageKind::KeyUp, keyCode, 0});
}

void FakePanelWindow::waitForMessage() {
    timerDueThisPass_ = true;
    if (!queue.empty()) return;
    if (timerRunning && ticksToDeliver > 0) return;
    queue.push_back({MessageKind::CloseRequest, 0, 0});
}

bool FakePanelWindow::nextMessage(WindowMessage& message) {
    if (!queue.empty()) {
        message = queue.front();
        queue.pop_front();
        return true;
    }
    if (timerRunning && timerDueThisPass_ && ticksToDeliver > 0) {
        timerDueThisPass_ = false;
        --ticksToDeliver;
        ++ticksDelivered;
        message = {MessageKind::Timer, 0, timerId};
        return true;
    }
    return false;
}

bool FakePanelWindow::takeKeyDown(int keyCode) { return takeKeyDownFrom(queue, keyCode); }

bool FakePanelWindow::takeDueTick(int id) {
    const bool queued = takeTicksFrom(queue, id);
    if (!timerRunning || timerId != id || ticksDueMeanwhile <= 0) return queued;
    --ticksDueMeanwhile;
    ++ticksDelivered;
    return true;
}

bool FakeTcpServer::listen(int port, bool allInterfaces) {
    listenedPort = port;
    listenedAllInterfaces = allInterfaces;
    listening = !refuseListen;
    return listening;
}

int FakeTcpServer::connect(const std::string& peer) {
    clients[++lastNumber_] = FakeTcpClient{};
    clients[lastNumber_].peer = peer;
    waitingToConnect.push_back(lastNumber_);
    return lastNumber_;
}

TcpArrival FakeTcpServer::accept() {
    if (!listening || waitingToConnect.empty()) return {};
    const int number = waitingToConnect.front();
    waitingToConnect.pop_front();
    return {number, clients[number].peer};
}

int FakeTcpServer::receive(int connection, char* buffer, int max) {
    auto found = clients.find(connection);
    if (found == clients.end() || found->second.closedByPanel) return -1;
    FakeTcpClient& client = found->second;
    if (client.toPanel.empty()) return client.closedByClient ? -1 : 0;
    const int count = std::min<int>(max, static_cast<int>(client.toPanel.size()));
    std::memcpy(buffer, client.toPanel.data(), static_cast<size_t>(count));
    client.toPanel.erase(0, static_cast<size_t>(count));
    return count;
}

int FakeTcpServer::send(int connection, const char* bytes, int length) {
    auto found = clients.find(connection);
    if (found == clients.end() || found->second.closedByPanel || found->second.closedByClient) return -1;
    FakeTcpClient& client = found->second;
    const int count = client.roomLeft < 0 ? length : std::min(length, client.roomLeft);
    if (client.roomLeft >= 0) client.roomLeft -= count;
    client.fromPanel.append(bytes, static_cast<size_t>(count));
    return count;
}

void FakeTcpServer::close(int connection) {
    if (auto found = clients.find(connection); found != clients.end()) found->second.closedByPanel = true;
}

bool FakeTcpServer::waitForInput(int) {
    ++waits;
    if (onWait) onWait(*this);
    if (!waitingToConnect.empty()) return true;
    for (const auto& [number, client] : clients) {
        if (!client.closedByPanel && (!client.toPanel.empty() || client.closedByClient)) return true;
    }
    return false;
}

int FakeConsole::pollKey() {
    ++polls;
    if (onPoll) onPoll(*this);
    if (keys.empty()) return -1;
    const int key = keys.front();
    keys.pop_front();
    return key;
}

bool FakeUdpSocket::open(const std::string& address, int port) {
    openedAddress = address;
    openedPort = port;
    isOpen = !refuseOpen;
    return isOpen;
}

int FakeUdpSocket::receive(char* buffer, int max, UdpPeer& from) {
    if (!isOpen || inbound.empty()) return -1;
    const FakeDatagram datagram = inbound.front();
    inbound.pop_front();
    datagram.bytes.copy(buffer, std::min(datagram.bytes.size(), static_cast<std::size_t>(max)));
    from = datagram.peer;
    return static_cast<int>(datagram.bytes.size());
}

bool FakeUdpSocket::sendTo(const UdpPeer& to, const std::string& bytes) {
    if (!isOpen) return false;
    sent.push_back({to, bytes});
    if (onSend) onSend(sent.back());
    return true;
}

}  // namespace platform::fake
