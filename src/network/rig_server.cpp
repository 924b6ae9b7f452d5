#include "network/rig_server.h"

#include <algorithm>
#include <chrono>

#include "controls/frequency_entry.h"
#include "controls/transmit.h"
#include "core/number_text.h"
#include "link/command.h"
#include "network/program_admission.h"
#include "network/rig_commands.h"
#include "speech/prompt_player.h"

namespace vocapan {

namespace {

constexpr std::size_t kMostClients = 8;     // more connections are closed at once
constexpr std::size_t kLongestLine = 4096;  // a longer line drops its connection
constexpr std::size_t kMostUnsent = 65536;  // a program that stops reading is dropped
constexpr int kIdleTicks = 1200;            // 60 s of 50 ms ticks without a command
constexpr int kReadSize = 1024;
// What the panel takes from one program in one tick, and in one call while it speaks: the
// rest waits in the connection, so a program that writes faster than that is slowed down by
// its own connection, never queued in the panel or on the radio's line.
constexpr std::size_t kMostReadPerTick = 16384;
constexpr std::size_t kMostReadBetweenPrompts = 2048;
constexpr int kMostPasses = 32;
constexpr auto kLingerBudget = std::chrono::milliseconds(20);  // of each 50 ms tick
constexpr int kLingerMs = 5;
// Before the first change after a quiet spell is carried out and spoken, the panel waits a
// little longer for the program's next line (Hamlib pauses 50 ms after transmit off).
constexpr auto kLingerBeforeSpeech = std::chrono::milliseconds(150);

enum class Fate { Stays, Drops };

platform::TcpServer& tcp(Panel& panel) { return panel.platform.network; }

// A program the panel does not serve is closed before a byte of it is read.
void acceptArrivals(Panel& panel) {
    auto& clients = panel.state.netClients;
    for (platform::TcpArrival arrival = tcp(panel).accept(); arrival.connection != 0; arrival = tcp(panel).accept()) {
        const Admission admission = admit(panel, arrival.peer);
        if (admission == Admission::Refused || clients.size() >= kMostClients) {
            tcp(panel).close(arrival.connection);
            continue;
        }
        NetClient client;
        client.connection = arrival.connection;
        client.fromAfar = admission == Admission::OtherComputer;
        announceArrival(panel, client);
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

// A line ends at a line feed, a carriage return, or both together.
constexpr std::string_view kLineEnds = "\r\n";

std::size_t lineEnd(const std::string& input) { return input.find_first_of(kLineEnds); }

bool hasWholeLine(const NetClient& client) { return lineEnd(client.input) != std::string::npos; }

// The set waits for the end of the tick; a later set of the same kind takes its place.
void keepPending(PanelState& state, int connection, RigExchange& exchange) {
    auto& sets = state.pendingSets;
    sets.erase(
        std::remove_if(sets.begin(), sets.end(), [&](const PendingSet& set) { return set.kind == exchange.kind; }),
        sets.end());
    sets.push_back({std::move(exchange.kind), connection, std::move(exchange.then), std::move(exchange.shows)});
}

struct Serving {
    std::size_t readMost;  // what may be taken from the program this time
};

// Answers the program's whole lines, taking more of what it sent as they run out; false when
// the program has gone. `answered` tells whether any line was answered.
bool answerLines(Panel& panel, NetClient& client, const Serving& serving, bool& answered) {
    char buffer[kReadSize];
    for (;;) {
        const auto end = lineEnd(client.input);
        if (end == std::string::npos) {
            if (client.input.size() > kLongestLine || client.readThisTick >= serving.readMost) return true;
            const int count = tcp(panel).receive(client.connection, buffer, kReadSize);
            if (count <= 0) return count == 0;
            client.input.append(buffer, static_cast<std::size_t>(count));
            client.readThisTick += static_cast<std::size_t>(count);
            continue;
        }
        const std::string line = client.input.substr(0, end);
        const bool crLf = client.input.compare(end, 2, "\r\n") == 0;
        client.input.erase(0, end + (crLf ? 2 : 1));
        // Every command of the line in turn; a question is answered from what the programs
        // have set, so a set's answer is what every program reads next.
        RigLineReader reader(line);
        while (auto exchange = answerNextRigCommand(panel, reader, client.extendNext)) {
            client.idleTicks = 0;  // a blank line is no command
            client.output += exchange->reply;
            answered = true;
            if (exchange->then) keepPending(panel.state, client.connection, *exchange);
            if (exchange->closes) {
                client.closing = true;
                return true;
            }
        }
    }
}

Fate serve(Panel& panel, NetClient& client, const Serving& serving, bool& answered) {
    // Whole lines that arrived before the program went are still answered; a command cut off
    // in the middle is not.
    const bool present = answerLines(panel, client, serving, answered);
    if (flush(panel, client) == Fate::Drops || !present) return Fate::Drops;
    if (!hasWholeLine(client) && client.input.size() > kLongestLine) return Fate::Drops;
    if (client.closing && client.output.empty()) return Fate::Drops;
    return client.idleTicks > kIdleTicks ? Fate::Drops : Fate::Stays;
}

// A program that keyed the transmitter and went away without saying goodbye (it ended or
// lost its connection) does not leave the transmitter keyed, nor key it afterwards. Split a
// program switched on ends when it goes, however it goes.
void drop(Panel& panel, std::size_t index) {
    auto& state = panel.state;
    const NetClient client = state.netClients[index];
    state.netClients.erase(state.netClients.begin() + static_cast<std::ptrdiff_t>(index));
    tcp(panel).close(client.connection);
    announceDeparture(panel, client);
    if (!client.closing) {
        auto& sets = state.pendingSets;
        sets.erase(std::remove_if(sets.begin(), sets.end(),
                                  [&](const PendingSet& set) {
                                      return set.connection == client.connection && set.kind == "set_ptt";
                                  }),
                   sets.end());
        if (client.keyedTransmitter && state.txState > 0) switchTransmit(panel);
    }
    if (state.programSplit == client.connection) endProgramSplit(panel);
}

bool lineWaiting(const PanelState& state) {
    return std::any_of(state.netClients.begin(), state.netClients.end(),
                       [](const NetClient& client) { return hasWholeLine(client); });
}

bool servePass(Panel& panel) {
    acceptArrivals(panel);
    bool answered = false;
    const Serving serving{kMostReadPerTick};
    for (std::size_t index = 0; index < panel.state.netClients.size();) {
        if (serve(panel, panel.state.netClients[index], serving, answered) == Fate::Drops) {
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
        const auto& state = panel.state;
        const bool speechMayFollow = !state.pendingSets.empty() && state.ticksSinceRemoteSet > kProgramsQuietTicks;
        const auto budget = speechMayFollow ? kLingerBeforeSpeech : kLingerBudget;
        const auto left = std::chrono::duration_cast<milliseconds>(budget - (std::chrono::steady_clock::now() - start));
        const long long wait = speechMayFollow ? left.count() : std::min<long long>(kLingerMs, left.count());
        if (wait <= 0 || !tcp(panel).waitForInput(static_cast<int>(wait))) return;
    }
}

NetClient* clientOf(PanelState& state, int connection) {
    const auto found = std::find_if(state.netClients.begin(), state.netClients.end(),
                                    [&](const NetClient& client) { return client.connection == connection; });
    return found == state.netClients.end() ? nullptr : &*found;
}

// The latest set of each kind, in the order they were last asked for, once every answer in
// hand has gone.
void carryOutPendingSets(Panel& panel) {
    auto& state = panel.state;
    const std::vector<PendingSet> sets = std::move(state.pendingSets);
    state.pendingSets.clear();
    if (!sets.empty()) state.ticksSinceRemoteSet = 0;
    for (const auto& set : sets) {
        const bool wasTransmitting = state.txState > 0;
        state.actingConnection = set.connection;
        set.apply(panel);
        state.actingConnection = 0;
        NetClient* client = clientOf(state, set.connection);
        if (client == nullptr) continue;
        if (!wasTransmitting && state.txState > 0) client->keyedTransmitter = true;
        if (state.txState == 0) client->keyedTransmitter = false;
    }
}

}  // namespace

void openNetwork(Panel& panel) {
    auto& state = panel.state;
    if (state.netPort <= 0) return;
    sayAllowLineFault(panel);
    state.netListening = tcp(panel).listen(state.netPort, servesOtherComputers(state)) ? 1 : 0;
    if (state.netListening == 1) {
        sayOpenToEveryComputer(panel);
        return;
    }
    // Said once: the panel runs on without network rig control.
    panel.platform.console.write("vocapan: network port " + decimalText(state.netPort) +
                                 " is in use; network rig control is off\n");
    playPrompt(panel, "netbusy");
}

void serviceNetwork(Panel& panel) {
    auto& state = panel.state;
    if (state.netListening == 0) return;
    state.ticksSinceRemoteSet = std::min(state.ticksSinceRemoteSet + 1, kProgramsQuietTicks + 1);
    for (auto& client : state.netClients) {
        ++client.idleTicks;
        client.readThisTick = 0;
    }
    // What the programs changed is spoken once every answer, a goodbye included, has gone.
    ++state.sayLater;
    servePrograms(panel);
    carryOutPendingSets(panel);
    --state.sayLater;
    sayLaterPrompts(panel);
}

void serveProgramsBetweenPrompts(Panel& panel) {
    auto& state = panel.state;
    if (state.netListening == 0) return;
    acceptArrivals(panel);
    bool answered = false;
    const Serving serving{kMostReadBetweenPrompts};
    // A program that fails now is dropped at the next tick, as that may switch its transmit
    // off; one that said goodbye leaves once its answers have gone, making room for the next
    // (Hamlib's rigctl opens a connection for every call).
    for (std::size_t index = 0; index < state.netClients.size();) {
        auto& client = state.netClients[index];
        client.readThisTick = 0;
        if (client.closing) {
            flush(panel, client);
        } else {
            serve(panel, client, serving, answered);
        }
        // The split a program switched on ends at the next tick, not between the words.
        if (client.closing && client.output.empty() && state.programSplit != client.connection) {
            drop(panel, index);
        } else {
            ++index;
        }
    }
    carryOutPendingSets(panel);  // at once: the radio and every program have it now
}

void closeNetwork(Panel& panel) {
    auto& state = panel.state;
    // The programs go with the panel, and so does a program's split.
    if (state.programSplit != 0) {
        send(panel, "ST0");
        state.programSplit = 0;
    }
    for (const auto& client : state.netClients) tcp(panel).close(client.connection);
    state.netClients.clear();
    state.pendingSets.clear();
    state.netListening = 0;
}

}  // namespace vocapan
