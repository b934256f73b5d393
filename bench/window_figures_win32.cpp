// Figures for the main window under Wine: the real plug-in library in the emulated host, its
// windows driven from a second thread with the real mouse as a person would:
//   window_figures PLUGIN IMAGE.ppm [RUNS]
// Each run opens the filter over neutral grey, makes a paced Auto Setup drag of 31 pixels on
// the backing (the upper left of the view) and presses OK, and times
//   - from the mouse-up that ends the drag to the display showing the keyed picture (and, on
//     the way, to the drag ended: the key applied and the view rendered), and
//   - from OK to the host holding the written image (the render pass and its hand-back).
// The screen is read back as fast as it can be: one read's time is printed as the resolution.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "emulated_host.h"
#include "host_window_win32.h"
#include "image_files.h"
#include "person_input_win32.h"
#include "plugin_library_win32.h"
#include "ui/command_ids.h"
#include "ui/start_dialog_ids.h"
#include "ui_driver_win32.h"

using namespace velokrom;
using namespace velokrom::vkhost;

namespace {

using Clock = std::chrono::steady_clock;
constexpr DWORD kLongWait = 300000;  // a 24-megapixel image is prepared and keyed in seconds, not minutes

double millisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct RunFigures {
    double dragToEnd = 0;
    double dragToRepaint = 0;
    double okToImage = 0;
    double screenRead = 0;
    std::string failure;
};

// The person's side of one run: start dialog, drag, OK. Fills the drag figure and the moment
// OK was sent.
void playRun(RunFigures& figures, Clock::time_point& okSent) {
    HWND dialog = nullptr;
    if (!waitUntil([&] { return (dialog = findDialog("Velokrom")) && GetDlgItem(dialog, IDC_START_OK); }, kLongWait)) {
        figures.failure = "no start dialog";
        return;
    }
    pressButton(dialog, IDC_USE_GRAY_BACKGROUND);
    pressButton(dialog, IDC_START_OK);
    HWND main = nullptr;
    if (!waitUntil([&] { return (main = FindWindowA(MAIN_WINDOW_CLASS, nullptr)) && IsWindowVisible(main); }, kLongWait)) {
        figures.failure = "no main window";
        return;
    }
    HWND display = FindWindowExA(main, nullptr, DISPLAY_WINDOW_CLASS, nullptr);
    SetForegroundWindow(main);
    RECT client{};
    GetClientRect(display, &client);
    std::vector<POINT> points;
    for (LONG x = client.right / 4; x <= client.right / 4 + 30; ++x) {
        POINT p{x, client.bottom / 4};
        ClientToScreen(display, &p);
        points.push_back(p);
    }
    // The first view is on the screen once the backing shows where the drag starts.
    std::vector<uint8_t> unkeyed;
    waitUntil([&] { return screenPixel(points.front()) != RGB(255, 255, 255); }, kLongWait);
    waitUntil([&] {
        std::vector<uint8_t> now = shownPicture(display);
        const bool settled = now == unkeyed;
        unkeyed = std::move(now);
        return settled;
    }, kLongWait);
    figures.failure = pacedPressAndMoves(display, points, 5000);
    const Clock::time_point readStart = Clock::now();
    const std::vector<uint8_t> withTrail = shownPicture(display);
    figures.screenRead = millisecondsBetween(readStart, Clock::now());

    const Clock::time_point released = Clock::now();
    sendMouse(points.back(), MOUSEEVENTF_LEFTUP);
    // The capture goes once the drag has ended (trail erased, key applied, view rendered); the
    // repaint is done when the keyed picture shows and no part of the window waits for paint.
    while (holdsCapture(display) && millisecondsBetween(released, Clock::now()) < kLongWait) Sleep(1);
    figures.dragToEnd = millisecondsBetween(released, Clock::now());
    std::vector<uint8_t> now;
    bool repainted = false;
    while (!repainted && millisecondsBetween(released, Clock::now()) < kLongWait) {
        now = shownPicture(display);
        repainted = now != unkeyed && now != withTrail && !GetUpdateRect(display, nullptr, FALSE);
    }
    figures.dragToRepaint = millisecondsBetween(released, Clock::now());
    if (!repainted) figures.failure = "the keyed picture never showed";

    waitUntil([&] { return !holdsCapture(display); }, kLongWait);
    okSent = Clock::now();
    PostMessageA(main, WM_COMMAND, IDM_OK, 0);
}

RunFigures timeOneRun(PluginLibrary& library, HWND hostWindow, const HostImage& source) {
    HostImage image = source;
    EmulatedHost host(library.entry());  // a fresh host: no key kept from the run before
    HostOptions options;
    options.hostWindow = reinterpret_cast<intptr_t>(hostWindow);
    options.screenWidth = GetSystemMetrics(SM_CXSCREEN);
    options.screenHeight = GetSystemMetrics(SM_CYSCREEN);
    RunFigures figures;
    Clock::time_point okSent{};
    std::thread person([&] { playRun(figures, okSent); });
    const int16_t result = host.runFilter(image, options, true);
    const Clock::time_point written = Clock::now();
    person.join();
    figures.okToImage = millisecondsBetween(okSent, written);
    if (result != 0 && figures.failure.empty()) figures.failure = "the filter answered " + std::to_string(result);
    if (image.pixels == source.pixels && figures.failure.empty()) figures.failure = "OK wrote nothing";
    return figures;
}

void printFigure(const char* what, std::vector<double> values) {
    std::sort(values.begin(), values.end());
    std::printf("  %-34s best %8.1f ms  median %8.1f ms\n", what, values.front(), values[values.size() / 2]);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: window_figures PLUGIN IMAGE.ppm [RUNS]\n");
        return 2;
    }
    try {
        std::string error;
        std::unique_ptr<PluginLibrary> library = PluginLibrary::load(argv[1], error);
        if (!library) throw std::runtime_error(error);
        const HostImage image = readHostImage(argv[2], false);
        const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
        HostWindow window;
        std::vector<double> ended, repaint, okToImage, screenRead;
        for (int run = 0; run < runs; ++run) {
            const RunFigures figures = timeOneRun(*library, window.handle(), image);
            if (!figures.failure.empty()) throw std::runtime_error("run " + std::to_string(run + 1) + ": " + figures.failure);
            ended.push_back(figures.dragToEnd);
            repaint.push_back(figures.dragToRepaint);
            okToImage.push_back(figures.okToImage);
            screenRead.push_back(figures.screenRead);
        }
        std::printf("%s, %d x %d, %d runs\n", argv[1], image.width, image.height, runs);
        printFigure("mouse-up to the drag ended", ended);
        printFigure("mouse-up to the display repainted", repaint);
        printFigure("OK to the host image written", okToImage);
        printFigure("(one read of the display: resolution)", screenRead);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "window_figures: %s\n", failure.what());
        return 1;
    }
    return 0;
}
