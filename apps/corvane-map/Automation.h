#pragma once
// The headless automation mode: a script of steps run one after another
// through the event loop, so that a step that opens a modal dialog lets the
// next steps act inside it. Message boxes are printed and closed at once.
//
// Steps, one a line ('#' starts a comment):
//   open FILE...                 view data|layout        full-extent
//   press COMMAND                (caption or name of a toolbar command)
//   type FORM TEXTBOX TEXT       click FORM CONTROL      close FORM
//   select FORM LIST ENTRY       (the entry's text, or the first one that
//                                 starts with it, ignoring case)
//   screenshot FILE.png          screenshot-dialog FORM FILE.png
//   screenshot-screen FILE.png   (the whole screen, with every window on it)
//   extent                       (prints the extent the canvas shows)
// A screenshot of the map waits until the picture of the current extent is
// finished, so that screenshots do not depend on how quickly it draws.

#include <QString>
#include <QStringList>
#include <vector>

namespace corvane::map {

class MainWindow;

struct Step {
    int line = 0;
    QString verb;
    QStringList arguments;
};

// Parses a script; throws std::runtime_error naming the bad line.
[[nodiscard]] std::vector<Step> parseScript(const QString& text);

class Automation {
public:
    Automation(MainWindow& window, std::vector<Step> steps);

    // Runs every step, then leaves the event loop with 0, or with 1 at the
    // first step that fails.
    void start();
    [[nodiscard]] int failures() const noexcept { return m_failures; }

private:
    void scheduleNext();
    void runNext();
    void run(const Step& step);
    void finish(int code);

    MainWindow& m_window;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
    bool m_pending = false;
    bool m_finished = false;
    int m_failures = 0;
};

} // namespace corvane::map
