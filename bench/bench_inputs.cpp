#include "bench/bench_inputs.h"

#include "format/field_list.h"

#include <algorithm>
#include <iterator>

namespace {

// Head and tail of BenchDeclaration: "v f(" ... ")" around the arguments.
constexpr std::size_t DECL_FRAME = 5;
// One argument "s a" with the comma before the next.
constexpr std::size_t DECL_ARG = 4;

// Bytes a comment's content may not hold: the markers' own bytes, the terminator, and the tab,
// CR and LF that the paste cleaning rewrites or treats as markers.
bool UsableContentByte(int byte) {
    return byte != 0 && byte != '*' && byte != '/' && byte != '\t' && byte != '\r' && byte != '\n';
}

// The k-th distinct comment content (from 0): single bytes first, then pairs of bytes.
std::string CommentContent(int k) {
    std::string usable;
    for (int byte = 1; byte < 256; ++byte) {
        if (UsableContentByte(byte)) {
            usable.push_back(static_cast<char>(byte));
        }
    }
    const auto count = static_cast<int>(usable.size());
    if (k < count) {
        return std::string(1, usable[static_cast<std::size_t>(k)]);
    }
    k -= count;
    return {usable[static_cast<std::size_t>(k / count)],
            usable[static_cast<std::size_t>(k % count)]};
}

// Builds the tower and tells how many comments it holds.
std::string BuildTower(std::size_t size, int& comments) {
    // The innermost comment is "/**/"; each further one adds a "/" in front, and "*", its
    // content and "*/" behind, so that the outer comment closes right after the inner one.
    std::string closers;
    std::size_t length = 4;
    comments = 1;
    for (int k = 0;; ++k) {
        const std::string content = CommentContent(k);
        const std::size_t grow = 4 + content.size();
        if (length + grow > size) {
            break;
        }
        closers += "*" + content + "*/";
        length += grow;
        ++comments;
    }
    return std::string(static_cast<std::size_t>(comments - 1), '/') + "/**/" + closers;
}

// The characters of a Japanese phrase in CP932 ("description of the argument" and an
// ideographic space, whose second byte is '@'), so that values hold double-byte text like real
// ones do.
constexpr const char* JAPANESE_CHARS[] = {"\x88\xf8", "\x90\x94", "\x82\xcc",
                                          "\x90\xe0", "\x96\xbe", "\x81\x40"};

// `length` bytes of the phrase and an ASCII `tag` in turn, never cut inside a character: a
// double-byte character that would not fit whole gives way to the tag.
std::string ValueText(std::size_t length, char tag) {
    std::string text;
    for (std::size_t i = 0; text.size() < length; ++i) {
        const std::size_t k = i % (std::size(JAPANESE_CHARS) + 1);
        if (k < std::size(JAPANESE_CHARS) && text.size() + 2 <= length) {
            text += JAPANESE_CHARS[k];
        } else {
            text += tag;
        }
    }
    return text;
}

// "<@KEY@>" for key number `i`, taken in turn over the 25 header keys.
std::string Placeholder(std::size_t i) {
    return std::string("<@") + g_apszHeaderKeys[i % HEADER_KEY_COUNT] + "@>";
}

// The condition lines use keys that every benchmark fills, so that they hold.
constexpr const char* CONDITION_FUNC = "<@IF FUNC@>";
constexpr const char* CONDITION_TITLE = "<@IF TITLE@>";

// Longest expanded line that can be written `written` times within the output.
std::size_t OutputShare(int written) {
    return static_cast<std::size_t>(EXPAND_OUTPUT_SIZE - 1) / static_cast<std::size_t>(written);
}

} // namespace

std::string BenchDeclaration(std::size_t size) {
    const std::size_t args = (size - DECL_FRAME + 1) / DECL_ARG;
    const std::size_t pad = size - DECL_FRAME + 1 - args * DECL_ARG;
    std::string text = "v " + std::string(1 + pad, 'f') + "(";
    for (std::size_t i = 0; i < args; ++i) {
        text += i == 0 ? "s a" : ",s a";
    }
    return text + ")";
}

int BenchDeclarationArgs(std::size_t size) {
    return static_cast<int>((size - DECL_FRAME + 1) / DECL_ARG);
}

std::string BenchDeclarationWords(std::size_t size) {
    // Words of two bytes "t " fill all but "f(", ")" and the argument's name.
    const std::size_t words = size - 4;
    std::string head;
    for (std::size_t i = 0; i < words / 4; ++i) {
        head += "t ";
    }
    std::string arg;
    while (head.size() + arg.size() + 2 <= words) {
        arg += "t ";
    }
    // An odd byte left over lengthens the argument's name.
    return head + "f(" + arg + (head.size() + arg.size() < words ? "aa" : "a") + ")";
}

std::string BenchCommentTower(std::size_t size) {
    int comments = 0;
    return BuildTower(size, comments);
}

int BenchCommentPasses(std::size_t size) {
    int comments = 0;
    BuildTower(size, comments);
    return comments;
}

std::string BenchPasted(std::size_t size) {
    // Half for the declaration, each argument on a line of its own with a distinct line comment
    // behind it, so that the line comments too go one pass each.
    const std::size_t declBudget = size / 2;
    std::string decl = "void f(\n";
    for (int k = 1;; ++k) {
        const std::string line = (k == 1 ? "" : ",") + std::string("int a") + std::to_string(k) +
                                 " // " + std::to_string(k) + "\n";
        if (decl.size() + line.size() + 2 > declBudget) {
            break;
        }
        decl += line;
    }
    decl += ")\n";
    std::string comments;
    for (int k = 0;; ++k) {
        const std::string comment = "/*" + CommentContent(k) + "*/";
        if (comments.size() + comment.size() > size - decl.size()) {
            break;
        }
        comments += comment;
    }
    // Spaces between the two bring the text to its exact size; the cleaning squeezes them.
    return comments + std::string(size - decl.size() - comments.size(), ' ') + decl;
}

CBenchValues::CBenchValues(std::size_t length) {
    for (std::size_t i = 0; i < m_astrValue.size(); ++i) {
        m_astrValue[i] = ValueText(length, static_cast<char>('A' + i));
        m_apszValue[i] = m_astrValue[i].c_str();
    }
}

std::string BenchFormatLine(std::size_t size, const std::string& condition) {
    // Room for the condition and the LF, which come last.
    const std::size_t room = size - condition.size() - 1;
    std::string line;
    for (std::size_t i = 0;; ++i) {
        const std::string next = Placeholder(i);
        if (line.size() + next.size() > room) {
            break;
        }
        line += next;
    }
    line.append(room - line.size(), ' ');
    return line + condition + "\n";
}

std::string BenchConditionFormat(int lines) {
    const std::string line = BenchFormatLine(BENCH_FORMAT_LINE, CONDITION_FUNC);
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += line;
    }
    return text;
}

std::string BenchWrittenFormat(int lines) {
    const std::string condition = BenchFormatLine(BENCH_FORMAT_LINE, CONDITION_TITLE);
    const std::string written = BenchFormatLine(BENCH_FORMAT_LINE, "");
    std::string text;
    for (int i = 0; i < lines; ++i) {
        text += i % 2 == 0 ? condition : written;
    }
    return text;
}

std::size_t BenchWrittenValueLength(int lines) {
    const std::string line = BenchFormatLine(BENCH_FORMAT_LINE, "");
    const auto placeholders = static_cast<std::size_t>(std::count(line.begin(), line.end(), '<'));
    // What stays of the line once the placeholders are gone: padding and CR LF.
    std::size_t patterns = 0;
    for (std::size_t i = 0; i < placeholders; ++i) {
        patterns += Placeholder(i).size();
    }
    const std::size_t rest = line.size() - patterns + 1;
    const std::size_t share = OutputShare(std::max(1, lines / 2));
    return share > rest ? std::min((share - rest) / placeholders, BENCH_VALUE_MAX) : 1;
}
