#include "platform/dialogs_backend.h"
#include "platform/env.h"
#include "platform/process.h"

#include <SDL.h>
#include <filesystem>
#include <unistd.h>
#include <vector>

namespace kalveo::dialogs {

namespace {

using Arguments = std::vector<std::string>;

// zenity and kdialog answer through their exit status; above these they failed.
constexpr int kZenityLastAnswer = 1;
constexpr int kKdialogLastAnswer = 2;

bool has_display() {
    const auto x11 = get_env("DISPLAY");
    const auto wayland = get_env("WAYLAND_DISPLAY");
    return (x11 && !x11->empty()) || (wayland && !wayland->empty());
}

bool on_path(const std::string& program) {
    const auto path = get_env("PATH");
    if (!path) return false;
    std::size_t start = 0;
    while (start <= path->size()) {
        const std::size_t colon = std::min(path->find(':', start), path->size());
        const std::string folder = path->substr(start, colon - start);
        const auto candidate = std::filesystem::path(folder.empty() ? "." : folder) / program;
        std::error_code ec;
        if (std::filesystem::is_regular_file(candidate, ec) && access(candidate.c_str(), X_OK) == 0)
            return true;
        start = colon + 1;
    }
    return false;
}

std::string str(std::string_view text) {
    return std::string(text);
}

const char* freedesktop_icon(Icon icon) {
    switch (icon) {
    case Icon::warning:
        return "--icon-name=dialog-warning";
    case Icon::error:
        return "--icon-name=dialog-error";
    case Icon::question:
        return "--icon-name=dialog-question";
    case Icon::info:
        break;
    }
    return "--icon-name=dialog-information";
}

Arguments zenity_box_arguments(const BoxRequest& box) {
    Arguments args{"zenity"};
    if (box.buttons == Buttons::ok) {
        args.push_back(box.icon == Icon::warning ? "--warning"
                       : box.icon == Icon::error ? "--error"
                                                 : "--info");
    } else {
        args.push_back("--question");
        args.push_back(freedesktop_icon(box.icon));
        const bool ok_words = box.buttons == Buttons::okcancel;
        args.push_back(ok_words ? "--ok-label=OK" : "--ok-label=Yes");
        args.push_back(box.buttons == Buttons::yesno ? "--cancel-label=No"
                                                     : "--cancel-label=Cancel");
        if (box.buttons == Buttons::yesnocancel) args.push_back("--extra-button=No");
        if (box.default_answer == 0) args.push_back("--default-cancel");
    }
    args.insert(args.end(), {"--no-markup", "--title", str(box.title), "--text", str(box.message)});
    return args;
}

std::optional<int> zenity_message_box(const BoxRequest& box) {
    std::string output;
    const int status = run_program_capture(zenity_box_arguments(box), output);
    if (status < 0 || status > kZenityLastAnswer) return std::nullopt;
    if (box.buttons == Buttons::ok || status == 0) return 1;
    // The extra button ends zenity like Cancel but prints its label.
    if (box.buttons == Buttons::yesnocancel && output.rfind("No", 0) == 0) return 2;
    return 0;
}

Arguments kdialog_box_arguments(const BoxRequest& box) {
    const bool alarming = box.icon == Icon::warning || box.icon == Icon::error;
    Arguments args{"kdialog", "--title", str(box.title)};
    switch (box.buttons) {
    case Buttons::ok:
        args.push_back(box.icon == Icon::error     ? "--error"
                       : box.icon == Icon::warning ? "--sorry"
                                                   : "--msgbox");
        args.push_back(str(box.message));
        break;
    case Buttons::okcancel:
        args.insert(args.end(), {alarming ? "--warningyesno" : "--yesno", str(box.message),
                                 "--yes-label", "OK", "--no-label", "Cancel"});
        break;
    case Buttons::yesno:
        args.insert(args.end(), {alarming ? "--warningyesno" : "--yesno", str(box.message)});
        break;
    case Buttons::yesnocancel:
        args.insert(args.end(),
                    {alarming ? "--warningyesnocancel" : "--yesnocancel", str(box.message)});
        break;
    }
    return args;
}

std::optional<int> kdialog_message_box(const BoxRequest& box) {
    const int status = run_program(kdialog_box_arguments(box));
    if (status < 0 || status > kKdialogLastAnswer) return std::nullopt;
    if (box.buttons == Buttons::ok || status == 0) return 1;
    if (box.buttons == Buttons::yesnocancel) return status == 1 ? 2 : 0;
    return 0;
}

std::optional<int> sdl_message_box(const BoxRequest& box) {
    std::vector<SDL_MessageBoxButtonData> buttons;
    const auto add = [&](int answer) {
        Uint32 flags = 0;
        if (answer == box.default_answer) flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
        if (answer == 0) flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
        buttons.push_back({flags, answer, answer_name(box.buttons, answer)});
    };
    add(1);
    if (box.buttons == Buttons::yesnocancel) add(2);
    if (box.buttons != Buttons::ok) add(0);

    const Uint32 icon = box.icon == Icon::error     ? SDL_MESSAGEBOX_ERROR
                        : box.icon == Icon::warning ? SDL_MESSAGEBOX_WARNING
                                                    : SDL_MESSAGEBOX_INFORMATION;
    const std::string title(box.title);
    const std::string message(box.message);
    const SDL_MessageBoxData data{icon | SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT,
                                  nullptr,
                                  title.c_str(),
                                  message.c_str(),
                                  static_cast<int>(buttons.size()),
                                  buttons.data(),
                                  nullptr};
    int pressed = -1;
    if (SDL_ShowMessageBox(&data, &pressed) != 0) return std::nullopt;
    // Closing the window answers like Escape.
    if (pressed < 0) return box.buttons == Buttons::ok ? 1 : 0;
    return pressed;
}

struct InputAnswer {
    bool ran = false;
    std::optional<std::string> text;
};

InputAnswer capture_input(const Arguments& args, int cancel_status) {
    std::string output;
    const int status = run_program_capture(args, output);
    if (status == cancel_status) return {true, std::nullopt};
    if (status != 0) return {};
    while (!output.empty() && (output.back() == '\n' || output.back() == '\r'))
        output.pop_back();
    return {true, output};
}

} // namespace

int native_message_box(const BoxRequest& box) {
    if (has_display() && on_path("zenity"))
        if (const auto answer = zenity_message_box(box)) return *answer;
    if (has_display() && on_path("kdialog"))
        if (const auto answer = kdialog_message_box(box)) return *answer;
    if (const auto answer = sdl_message_box(box)) return *answer;
    return console_message_box(box);
}

std::optional<std::string> native_input_box(const InputRequest& input) {
    if (has_display() && on_path("zenity")) {
        const auto answer =
            capture_input({"zenity", "--entry", "--title", str(input.title), "--text",
                           str(input.message), "--entry-text", str(input.default_input)},
                          1);
        if (answer.ran) return answer.text;
    }
    if (has_display() && on_path("kdialog")) {
        const auto answer = capture_input({"kdialog", "--title", str(input.title), "--inputbox",
                                           str(input.message), str(input.default_input)},
                                          1);
        if (answer.ran) return answer.text;
    }
    return console_input_box(input);
}

} // namespace kalveo::dialogs
