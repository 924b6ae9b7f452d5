// The panel as a web page (vocapan.cfg line 18): the status lines, every phrase the panel
// says and the panel's keys, for the operator's own screen reader, braille display or phone.
// Served from the panel's loop without waiting; the keys pressed on a page wait in the state
// for the loop to hand them to the key handling, as the window's keys are.
#pragma once

#include <memory>

#include "core/panel.h"

namespace vocapan {

class WebPage {
public:
    explicit WebPage(Panel& panel);
    ~WebPage();
    WebPage(const WebPage&) = delete;
    WebPage& operator=(const WebPage&) = delete;

    // Starts serving when line 18 asks for it; a wrong line or a port in use is said once
    // (a console line and a prompt). The console shows the address to open.
    void open();
    // After every pass of the loop: answers the pages, sends them the status lines when they
    // have changed, and lets pages that have gone go: a transmitter a page keyed is switched
    // off when it goes. Says a new code for another computer.
    void serve();
    // While a prompt plays: answers the pages and takes their keys, nothing more.
    void serveWhileSpeaking();
    void close();

private:
    struct Pages;
    std::unique_ptr<Pages> pages_;
};

}  // namespace vocapan
