#include "cli/helpformat.h"

namespace {

constexpr std::size_t kWidth = 79;

} // namespace

void appendWrapped(std::string& out, std::string_view text, int indent, int firstIndent) {
    std::string line(static_cast<std::size_t>(firstIndent < 0 ? indent : firstIndent), ' ');
    bool lineEmpty = true;
    while (!text.empty()) {
        const std::size_t space = text.find(' ');
        const std::string_view word = text.substr(0, space);
        text.remove_prefix(space == std::string_view::npos ? text.size() : space + 1);
        if (word.empty())
            continue;
        if (!lineEmpty && line.size() + 1 + word.size() > kWidth) {
            out += line + '\n';
            line.assign(static_cast<std::size_t>(indent), ' ');
            lineEmpty = true;
        }
        if (!lineEmpty)
            line += ' ';
        line += word;
        lineEmpty = false;
    }
    out += line + '\n';
}

void appendParagraphs(std::string& out, std::string_view text, int indent) {
    bool first = true;
    while (!text.empty() || first) {
        const std::size_t end = text.find('\n');
        if (!first)
            out += '\n';
        appendWrapped(out, text.substr(0, end), indent);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        first = false;
    }
}

std::vector<std::string> synopsisGroups(std::string_view synopsis) {
    std::vector<std::string> words;
    while (!synopsis.empty()) {
        const std::size_t space = synopsis.find(' ');
        words.emplace_back(synopsis.substr(0, space));
        synopsis.remove_prefix(space == std::string_view::npos ? synopsis.size() : space + 1);
    }
    std::vector<std::string> groups;
    for (std::size_t i = 0; i < words.size(); ++i) {
        std::string group = words[i];
        if (group.starts_with('[')) {
            while (!group.ends_with(']') && i + 1 < words.size())
                group += ' ' + words[++i];
        } else if (group.starts_with('-') && i + 1 < words.size() &&
                   !words[i + 1].starts_with('-') && !words[i + 1].starts_with('[')) {
            group += ' ' + words[++i];
        }
        groups.push_back(group);
    }
    return groups;
}

void appendSynopsis(std::string& out, std::string_view prefix, std::string_view name,
                    std::string_view synopsis) {
    std::string line = std::string(prefix) + std::string(name);
    const std::size_t continuation = line.size() + 1;
    for (const std::string& group : synopsisGroups(synopsis)) {
        if (line.size() + 1 + group.size() > kWidth && line.size() > continuation) {
            out += line + '\n';
            line.assign(continuation - 1, ' ');
        }
        line += ' ' + group;
    }
    out += line + '\n';
}

std::string roff(std::string_view text) {
    std::string out;
    for (const char c : text)
        out += c == '\\' ? std::string("\\e") : c == '-' ? std::string("\\-") : std::string(1, c);
    if (!out.empty() && (out.front() == '.' || out.front() == '\''))
        out.insert(0, "\\&");
    return out;
}

void appendRoffParagraphs(std::string& out, std::string_view text) {
    bool first = true;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!first)
            out += ".PP\n";
        out += roff(text.substr(0, end)) + '\n';
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        first = false;
    }
}

std::string roffOptionName(std::string_view name) {
    const std::size_t space = name.find(' ');
    if (space == std::string_view::npos)
        return ".B " + roff(name) + '\n';
    return ".BI \"" + roff(name.substr(0, space)) + " \" \"" + roff(name.substr(space + 1)) +
           "\"\n";
}
