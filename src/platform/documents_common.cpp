#include "platform/documents.h"
#include "platform/process.h"

namespace kalveo {

TextEditorCommand text_editor_command(std::string_view editor, const std::string& file) {
    TextEditorCommand command{split_command_words(editor)};
    if (command.argv.empty() || !program_found(command.argv.front())) {
        command.argv = {desktop_text_editor()};
        command.stands_in = true;
    }
    command.argv.push_back(file);
    return command;
}

} // namespace kalveo
