#include "network/rig_server.h"

#include <algorithm>
#include <chrono>

#include "controls/transmit.h"
#include "network/rig_commands.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr std::size_t kMostClients = 8;     // more connections are closed at once
constexpr std::size_t kLongestLine = 4096;  // a longer line drops its connection
constexpr std::size_t kMostUnsent = 65536;  // a program that stops reading is dropped
constexpr int kIdleTicks = 1200;            // 60 s of 50 ms ticks without a whole line
constexpr int kReadSize = 1024;
constexpr int kLinesPerPass = 16;  // one program cannot hold the panel
constexpr int kMostPasses = 32;
constexpr auto kLingerBudget = std::chrono::milliseconds(20);  // of each 50 ms tick
constexpr int kLingerMs = 5;
// With words waiting to be spoken the panel is about to be busy for far longer, so it first
// waits a little longer for the program's next line (Hamlib pauses 50 ms after transmit off).
constexpr auto kLingerBeforeSpeech = std::chrono::milliseconds(150);

enum class Fate { Stays, Drops };

platform::TcpServer& tcp(Panel& panel) { return panel.platform.network; }

void acceptArrivals(Panel& panel) {
    auto& clients = panel.state.netClients;
    while (const int connection = tcp(panel).accept()) {
        if (clients.size() >= kMostClients) {
            tcp(panel).close(connection);
            continue;
        }
        NetClient client;
        client.connection = connection;
        clients.push_back(client);
    }
}

Fate flush(Panel& panel, NetClient& client) {
    while (!client.output.empty()) {
        const int sent =
            tcp(panel).send(client.connection, client.output.data(), static_cast<int>(client.output.size()));
        if (sent < 0) return Fate::Drops;
        if (sent == 0) break;
        client.output.erase(0, static_cast<std::size_t>(sent));
    }
    return client.output.size() > kMostUnsent ? Fate::Drops : Fate::Stays;
}

// Reads what has arrived, short of an overlong line; false when the program has gone.
bool receive(Panel& panel, NetClient& client) {
    char buffer[kReadSize];
    while (client.input.size() <= kLongestLine) {
        const int count = tcp(panel).receive(client.connection, buffer, kReadSize);
        if (count < 0) return false;
        if (count == 0) break;
        client.input.append(buffer, static_cast<std::size_t>(count));
    }
    return true;
}

// Answers the whole lines that have arrived; `answered` tells whether any was answered.
Fate answerLines(Panel& panel, std::size_t index, bool& answered) {
    for (int lines = 0; lines < kLinesPerPass; ++lines) {
        NetClient& client = panel.state.netClients[index];
        const auto end = client.input.find('\n');
        if (end == std::string::npos) break;
        const std::string line = client.input.substr(0, end);
        client.input.erase(0, end + 1);
        client.idleTicks = 0;

        RigExchange exchange = answerRigLine(panel, line);
        if (exchange.reply.empty()) continue;
        client.output += exchange.reply;
        answered = true;
        if (flush(panel, client) == Fate::Drops) return Fate::Drops;
        if (exchange.closes) {
            client.closing = true;
            break;
        }
        const bool wasTransmitting = panel.state.txState > 0;
        // The change comes after its answer has gone; what it says waits for the end of the tick.
        if (exchange.then) exchange.then(panel);
        NetClient& after = panel.state.netClients[index];
        if (!wasTransmitting && panel.state.txState > 0) after.keyedTransmitter = true;
        if (panel.state.txState == 0) after.keyedTransmitter = false;
    }
    NetClient& client = panel.state.netClients[index];
    if (client.input.find('\n') == std::string::npos && client.input.size() > kLongestLine) return Fate::Drops;
    return Fate::Stays;
}

Fate serve(Panel& panel, std::size_t index, bool& answered) {
    const bool present = receive(panel, panel.state.netClients[index]);
    // Whole lines that arrived before the program went are still carried out; a command cut
    // off in the middle is not.
    if (answerLines(panel, index, answered) == Fate::Drops || !present) return Fate::Drops;
    NetClient& client = panel.state.netClients[index];
    if (flush(panel, client) == Fate::Drops) return Fate::Drops;
    if (client.closing && client.output.empty()) return Fate::Drops;
    return client.idleTicks > kIdleTicks ? Fate::Drops : Fate::Stays;
}

// A program that keyed the transmitter and went away without saying goodbye (it ended or
// lost its connection) does not leave the transmitter keyed.
void drop(Panel& panel, std::size_t index) {
    auto& clients = panel.state.netClients;
    const NetClient client = clients[index];
    clients.erase(clients.begin() + static_cast<std::ptrdiff_t>(index));
    tcp(panel).close(client.connection);
    if (client.keyedTransmitter && !client.closing && panel.state.txState > 0) switchTransmit(panel);
}

bool lineWaiting(const PanelState& state) {
    return std::any_of(state.netClients.begin(), state.netClients.end(),
                       [](const NetClient& client) { return client.input.find('\n') != std::string::npos; });
}

bool servePass(Panel& panel) {
    acceptArrivals(panel);
    bool answered = false;
    for (std::size_t index = 0; index < panel.state.netClients.size();) {
        if (serve(panel, index, answered) == Fate::Drops) {
            drop(panel, index);
        } else {
            ++index;
        }
    }
    return answered;
}

// Passes over the programs while they keep sending: a burst of commands is served within
// the tick, waiting at most a few milliseconds at a time and 20 ms in all.
void servePrograms(Panel& panel) {
    using std::chrono::milliseconds;
    const auto start = std::chrono::steady_clock::now();
    for (int pass = 0; pass < kMostPasses; ++pass) {
        if (!servePass(panel)) return;
        if (lineWaiting(panel.state)) continue;  // lines left over from a program's burst
        const bool speechWaits = !panel.state.heldPrompts.empty();
        const auto budget = speechWaits ? kLingerBeforeSpeech : kLingerBudget;
        const auto left = std::chrono::duration_cast<milliseconds>(budget - (std::chrono::steady_clock::now() - start));
        const long long wait = speechWaits ? left.count() : std::min<long long>(kLingerMs, left.count());
        if (wait <= 0 || !tcp(panel).waitForInput(static_cast<int>(wait))) return;
    }
}

}  // namespace

void openNetwork(Panel& panel) {
    auto& state = panel.state;
    if (state.netPort <= 0) return;
    state.netListening = tcp(panel).listen(state.netPort, state.netAllInterfaces == 1) ? 1 : 0;
}

void serviceNetwork(Panel& panel) {
    if (panel.state.netListening == 0) return;
    for (auto& client : panel.state.netClients) ++client.idleTicks;
    // What the programs changed is spoken once every answer, a goodbye included, has gone.
    panel.state.holdSpeech = 1;
    servePrograms(panel);
    speakHeldPrompts(panel);
}

void closeNetwork(Panel& panel) {
    auto& state = panel.state;
    for (const auto& client : state.netClients) tcp(panel).close(client.connection);
    state.netClients.clear();
    state.netListening = 0;
}

}  // namespace vocapan
