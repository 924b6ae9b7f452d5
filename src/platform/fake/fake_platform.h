// Test doubles of every platform service. They record what the program did (bytes written,
// sounds played, texts drawn, console lines) and play back what a test scripts (serial
// devices with a responder at the far end, window messages, console keys).
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "platform/braille_view.h"
#include "platform/platform.h"

namespace platform::fake {

// One serial device: what the program writes goes to `responder` (when set), whose answer
// is queued for the program to read. Settings and modem lines are recorded.
struct FakeSerialDevice {
    std::function<std::string(const std::string& written, int baud, const LineFormat& format)> responder;
    std::string inbound;  // bytes waiting to be read by the program
    std::string written;  // everything the program wrote, in order
    int baud = 0;
    LineFormat format{};
    ReadTimeouts timeouts{};
    bool rts = true;
    bool dtr = true;
    bool open = false;
    int openCount = 0;
    bool refuseSettings = false;  // the driver refuses line settings
    bool unplugged = false;       // transfers fail and the port cannot be opened
};

class FakeSerialPortOpener : public SerialPortOpener {
public:
    // Makes COM port `comNumber` exist; the device lives as long as the opener.
    FakeSerialDevice& addDevice(int comNumber);
    FakeSerialDevice* device(int comNumber);
    std::unique_ptr<SerialPort> open(int comNumber) override;
    std::vector<int> openAttempts;  // every COM number the program tried, in order

private:
    std::map<int, std::unique_ptr<FakeSerialDevice>> devices_;
};

class FakeSoundPlayer : public SoundPlayer {
public:
    void playSync(const std::string& path) override;
    void playSyncBeforeNext(const std::string& path) override;
    void playAsync(const std::string& path) override;
    bool stillPlaying(int waitMs) override;
    bool stillPlayingBeforeNext(int waitMs) override;
    void stop() override;
    bool hasFile(const std::string& path) override { return !missing.contains(path); }
    std::vector<std::string> played;  // every path asked for, in order
    std::vector<int> looks;           // for each, how many times it was found still playing
    // How many times the panel finds each sound still playing, as if it lasted that many
    // periods; 1 unless a test says otherwise.
    int waitingCallsPerPlay = 1;
    // How many of those periods are left when the next word is taken, as a sound server that
    // holds the rest of the prompt takes it; 0 unless a test says otherwise.
    int handOverLooks = 0;
    std::function<void(const std::string& path)> onPlay;  // runs as a sound "plays"
    std::set<std::string> missing;                        // paths that hold no file
    std::vector<std::string> cut;                         // plays stopped before their end

private:
    int looksLeft_ = 0;
};

// A screen reader that keeps the phrases it was given. `reachable` false plays one that is not
// running; `stateNow` where it stands from then on, and `untakenNow` how many of the phrases
// it was given it never took.
class FakeScreenReader : public ScreenReader {
public:
    bool connect(int timeoutMs) override {
        connectTimeoutsMs.push_back(timeoutMs);
        if (reachable) stateNow = ReaderState::Listening;
        return reachable;
    }
    void reconnect() override {
        ++reconnects;
        if (reachable) stateNow = ReaderState::Listening;
    }
    void say(const std::string& text) override { said.push_back(text); }
    void cancel() override { said.push_back("(cancel)"); }
    ReaderState state() override { return stateNow; }
    std::size_t untaken() override { return untakenNow; }
    bool reachable = true;
    ReaderState stateNow = ReaderState::Gone;
    std::size_t untakenNow = 0;
    std::vector<std::string> said;  // "(cancel)" where the panel silenced it
    std::vector<int> connectTimeoutsMs;
    int reconnects = 0;  // asked for; the real readers act on one every few seconds
};

struct DrawnText {
    int x = 0;
    int y = 0;
    FontSpec font;
    std::string text;
};

class FakePanelWindow : public PanelWindow {
public:
    bool open(const std::string& title, const WindowGeometry& geometry) override;
    void close() override;
    void moveTo(int x, int y) override;
    void selectFont(const FontSpec& font) override;
    void drawText(const std::string& text) override;
    void startTimer(int id, int periodMs) override;
    void stopTimer(int id) override;
    void waitForMessage() override;
    bool nextMessage(WindowMessage& message) override;
    bool takeKeyDown(int keyCode) override;
    bool takeDueTick(int timerId) override;

    // Queues a message as the operator or the window manager would cause it.
    void post(const WindowMessage& message) { queue.push_back(message); }
    void postKey(int keyCode);  // key-down then key-up

    // Pixels a character advances the drawing position; the real width depends on the font.
    static constexpr int kCharWidth = 10;

    std::string title;
    WindowGeometry geometry;
    bool isOpen = false;
    bool wasClosed = false;
    std::vector<DrawnText> drawn;
    std::deque<WindowMessage> queue;
    bool timerRunning = false;
    int timerId = 0;  // the first timer started; only its ticks are delivered
    int timerPeriodMs = 0;
    std::map<int, int> timers;  // every running timer's period by identifier
    // Timer ticks still to deliver when the queue is empty; once none are left and the queue
    // is empty, the window asks to be closed, as an operator ending the session would.
    int ticksToDeliver = 0;
    int ticksDelivered = 0;
    // Ticks that fall due while the panel is busy with a message, for the loop to take
    // between the words; none unless a test says so.
    int ticksDueMeanwhile = 0;

private:
    int x_ = 0;
    int y_ = 0;
    FontSpec font_{"System", 0, 0};
    bool timerDueThisPass_ = false;  // one tick falls due per wait, as on Windows
};

class FakeConsole : public Console {
public:
    void allocate() override { allocated = true; }
    void release() override { released = true; }
    void write(const std::string& text) override { output += text; }
    int pollKey() override;
    std::string output;
    std::deque<int> keys;
    // Called on every poll, so a test can press a key after so many polls.
    std::function<void(FakeConsole&)> onPoll;
    int polls = 0;
    bool allocated = false;
    bool released = false;
};

// Its steady time moves only when a test or another double moves it: a tick, a wait.
class FakeClock : public Clock {
public:
    std::string dateText() override { return date; }
    std::string timeText() override { return time; }
    long long steadyMs() override { return nowMs; }
    std::string date = "07-12-2026";
    std::string time = "13:05:09";
    long long nowMs = 0;
};

// One program connected to the panel's network port: what it sends waits in `toPanel` for
// the panel to receive; what the panel sends collects in `fromPanel`.
struct FakeTcpClient {
    std::string peer;  // the address the program connects from
    std::string toPanel;
    std::string fromPanel;
    bool closedByClient = false;  // the program went away
    bool closedByPanel = false;
    int roomLeft = -1;  // bytes the connection still takes from the panel; -1 without limit
};

class FakeTcpServer : public TcpServer {
public:
    bool listen(int port, bool allInterfaces) override;
    TcpArrival accept() override;
    int receive(int connection, char* buffer, int max) override;
    int send(int connection, const char* bytes, int length) override;
    void close(int connection) override;
    bool waitForInput(int timeoutMs) override;

    // A program connects from `peer`; the panel takes the connection at its next accept.
    int connect(const std::string& peer = "127.0.0.1");
    FakeTcpClient& client(int number) { return clients[number]; }

    bool refuseListen = false;
    bool listening = false;
    int listenedPort = 0;
    bool listenedAllInterfaces = false;
    std::map<int, FakeTcpClient> clients;
    std::deque<int> waitingToConnect;
    int waits = 0;
    // Runs on every wait, so that a test can have a program answer while the panel waits.
    std::function<void(FakeTcpServer&)> onWait;

private:
    int lastNumber_ = 0;
};

// Serial servers on the network, each with a serial device behind it that answers as a local
// one does. A server whose device is unplugged refuses connections and resets the one it
// has; a connection to an address with no server is refused. The device's answers come back
// `roundTripMs` after the command went, by the clock's steady time; a read that may wait
// waits on that clock.
class FakeNetworkLineConnector : public NetworkLineConnector {
public:
    explicit FakeNetworkLineConnector(FakeClock& clock) : clock_(clock) {}
    // Makes a server at `host` and `port`; the device lives as long as the connector.
    FakeSerialDevice& addServer(const std::string& host, int port);
    std::unique_ptr<NetworkLine> connect(const std::string& host, int port) override;
    std::vector<std::string> connectAttempts;  // "HOST PORT" of every connection started
    // Looks without waiting that each new connection answers Connecting before it is made,
    // as over a network with some way to go; a look that waits makes it at once.
    int looksBeforeMade = 0;
    int roundTripMs = 0;

private:
    FakeClock& clock_;
    std::map<std::string, std::unique_ptr<FakeSerialDevice>> servers_;
};

// A UDP port and the programs that send to it: datagrams a test queues in `inbound` are
// received in order; what the panel sends collects in `sent`.
struct FakeDatagram {
    UdpPeer peer;  // the sender of an inbound datagram, the receiver of a sent one
    std::string bytes;
};

class FakeUdpSocket : public UdpSocket {
public:
    bool open(const std::string& address, int port) override;
    int receive(char* buffer, int max, UdpPeer& from) override;
    bool sendTo(const UdpPeer& to, const std::string& bytes) override;
    void close() override { isOpen = false; }

    bool refuseOpen = false;
    bool isOpen = false;
    std::string openedAddress;
    int openedPort = 0;
    std::deque<FakeDatagram> inbound;
    std::vector<FakeDatagram> sent;
    // Runs on every datagram the panel sends, so that a test can see when it went.
    std::function<void(const FakeDatagram& datagram)> onSend;
};

// A braille display of `width` cells, reached at once, on a clock the test moves: at `now` it
// shows what a real one would. Every phrase it was given is kept too.
class FakeBrailleDisplay : public BrailleDisplay {
public:
    void start() override { ++starts; }
    void showStatus(const BrailleStatus& lines) override { view.setStatus(lines); }
    void flash(const std::string& words) override {
        view.flash(words, now);
        flashed.push_back(words);
    }
    void press(BrailleKey key) { view.press(key, now, width); }
    std::string shown() const { return view.shown(now, width); }

    BrailleTime now{0};
    std::size_t width = 40;
    int starts = 0;
    std::vector<std::string> flashed;
    BrailleView view;
};

struct FakePlatform {
    FakeSerialPortOpener serial;
    FakeSoundPlayer sound;
    FakePanelWindow window;
    FakeConsole console;
    FakeClock clock;
    FakeTcpServer network;
    FakeScreenReader reader;
    FakeNetworkLineConnector remoteLine{clock};
    FakeUdpSocket wsjtx;
    FakeBrailleDisplay braille;
    Platform services() { return {serial, sound, window, console, clock, network, reader, remoteLine, wsjtx, braille}; }
};

}  // namespace platform::fake
