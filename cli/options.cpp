#include "cli/options.h"

#include "cli/exit_status.h"
#include "cli/option_errors.h"
#include "cli/report.h"
#include "header/messages.h"
#include "platform/locale_codeset.h"
#include "platform/settings_location.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <cstdio>
#include <vector>

namespace {

// Width of the option column in --help: the longest entry, "--arg-text N=TEXT ...", and a gap.
constexpr std::size_t HELP_OPTION_COLUMN = 26;
// The parser's indentation of each row of the help.
constexpr std::size_t HELP_INDENT = 2;

// The help's left column, padded by its width on a terminal rather than by its bytes: a Japanese
// character takes three bytes of UTF-8 but two columns, so its row would end up short.
class CHelpFormatter : public CLI::Formatter {
public:
    std::string make_option(const CLI::Option* pOption, bool bPositional) const override {
        std::string strLine = CLI::Formatter::make_option(pOption, bPositional);
        const std::string strName = make_option_name(pOption, bPositional);
        std::size_t nWide = 0;
        for (const char ch : strName) {
            // Lead bytes of three-byte characters, which are the wide ones here.
            nWide += (static_cast<unsigned char>(ch) & 0xF0) == 0xE0 ? 1 : 0;
        }
        strLine.insert(HELP_INDENT + strName.size(), nWide, ' ');
        return strLine;
    }
};

int UsageError(const std::string& message) {
    std::fprintf(stderr, "veldane-header: %s\n%s\n", message.c_str(), MSG_SEE_HELP);
    return EXIT_USAGE;
}

// "FILE:LINE", split at the last colon so that a path may hold colons. A line number too large
// for any file is kept as the largest number, so that it is reported as past the end.
bool ParseInsert(const std::string& target, CliOptions& options) {
    const std::size_t colon = target.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == target.size()) {
        return false;
    }
    std::size_t line = 0;
    for (std::size_t i = colon + 1; i < target.size(); ++i) {
        if (target[i] < '0' || target[i] > '9') {
            return false;
        }
        const std::size_t digit = static_cast<std::size_t>(target[i] - '0');
        line = line > (SIZE_MAX - digit) / 10 ? SIZE_MAX : line * 10 + digit;
    }
    options.m_strInsertPath = target.substr(0, colon);
    options.m_nInsertLine = line;
    return line > 0;
}

// An encoding's name in any case; false, `encoding` untouched, for any other text.
bool ParseEncoding(const std::string& name, CliEncoding& encoding) {
    std::string lower;
    for (const char ch : name) {
        lower += (ch >= 'A' && ch <= 'Z') ? static_cast<char>(ch - 'A' + 'a') : ch;
    }
    const bool bKnown = lower == "utf-8" || lower == "utf8" || lower == "cp932";
    encoding = bKnown ? (lower == "cp932" ? ENCODING_CP932 : ENCODING_UTF8) : encoding;
    return bKnown;
}

// "N=TEXT" with N from 1 to HEADER_ARG_ROWS; a later one for the same row wins.
bool ParseArgTexts(const std::vector<std::string>& items, CliOptions& options) {
    for (const std::string& item : items) {
        const bool rowOk = item.size() >= 2 && item[0] >= '1' && item[0] < '1' + HEADER_ARG_ROWS;
        if (!rowOk || item[1] != '=') {
            return false;
        }
        options.m_astrArgText[item[0] - '1'] = item.substr(2);
    }
    return true;
}

// A text of the command line, and how a message names it.
struct CommandText {
    std::string m_strWhat;   // "-t の値", "宣言"
    const char* m_pszOption; // the option for MSG_OPTION_ENCODING; null for the declaration
    std::string* m_pText;
};

// Turns the texts given on the command line into code page 932, read in the locale's encoding;
// file paths stay the bytes they are. EXIT_DONE, or EXIT_ENCODING after a message naming the
// first text that is no text in that encoding (the texts are then partly converted, and the run
// ends). A text that lost characters on the way is noted on standard error.
int DecodeTexts(const std::vector<CommandText>& texts, CliEncoding encoding) {
    for (const CommandText& text : texts) {
        if (!CliIsText(*text.m_pText, encoding)) {
            return text.m_pszOption != nullptr
                       ? CliFail(EXIT_ENCODING, MSG_OPTION_ENCODING, text.m_pszOption,
                                 CliEncodingName(encoding))
                       : CliFail(EXIT_ENCODING, MSG_ARGUMENT_ENCODING, CliEncodingName(encoding));
        }
        CliNoteChangedCharacters(text.m_strWhat, *text.m_pText, encoding);
        *text.m_pText = CliToCp932(*text.m_pText, encoding);
    }
    return EXIT_DONE;
}

std::vector<CommandText> CommandTexts(CliOptions& options, std::vector<std::string>& argTexts) {
    std::vector<CommandText> texts = {{MSG_NOUN_DECLARATION, nullptr, &options.m_strDeclaration}};
    const std::pair<const char*, std::string*> named[] = {
        {"-t", &options.m_strTitle},
        {"-d", &options.m_strDeveloper},
        {"--date", &options.m_strDate},
        {"--ret-text", &options.m_strRetText},
    };
    for (const auto& [option, text] : named) {
        texts.push_back({CliPrintf(MSG_NOUN_OPTION_VALUE, option), option, text});
    }
    for (std::string& argText : argTexts) {
        texts.push_back({CliPrintf(MSG_NOUN_OPTION_VALUE, "--arg-text"), "--arg-text", &argText});
    }
    return texts;
}

} // namespace

int CliParseOptions(int argc, char** argv, CliOptions& options) {
    CLI::App app{MSG_HELP_DESCRIPTION, "veldane-header"};
    app.footer(MSG_HELP_FOOTER);
    // Looked up only when the help is shown; CLI11 puts this text, a line end, then FOOTER.
    app.footer([] {
        return CliPrintf(MSG_HELP_SETTINGS, SETTINGS_SECTION, SETTINGS_KEY_FILE_PATH,
                         SETTINGS_KEY_DEVELOP, SETTINGS_PROJECT_FOLDER, SETTINGS_PROJECT_FOLDER,
                         SETTINGS_FILE_NAME, SETTINGS_USER_FOLDER, SETTINGS_FILE_NAME,
                         SETTINGS_CONFIG_FOLDER, SETTINGS_USER_FOLDER, SETTINGS_FILE_NAME) +
               SettingsLocateHere().strPath;
    });
    app.formatter(std::make_shared<CHelpFormatter>());
    app.get_formatter()->label("Usage", "使い方");
    app.get_formatter()->label("OPTIONS", "オプション");
    app.get_formatter()->label("Positionals", "引数");
    app.get_formatter()->column_width(HELP_OPTION_COLUMN);
    app.option_defaults()->group("オプション");
    app.set_help_flag("-h,--help", "この説明を表示して終わります");
    app.set_version_flag("--version", std::string("veldane-header ") + VELDANE_VERSION,
                         "バージョンを表示して終わります");

    std::string encoding;
    std::vector<std::string> argTexts;
    CLI::Option* declaration = app.add_option(MSG_NOUN_DECLARATION, options.m_strDeclaration,
                                              "関数の宣言（省略すると標準入力から）")
                                   ->type_name("");
    CLI::Option* format =
        app.add_option("-f,--format", options.m_strFormatPath, "フォーマットファイル")
            ->type_name("FILE");
    CLI::Option* title =
        app.add_option("-t,--title", options.m_strTitle, "タイトル")->type_name("TEXT");
    CLI::Option* developer =
        app.add_option("-d,--developer", options.m_strDeveloper, "作者")->type_name("NAME");
    CLI::Option* date =
        app.add_option("--date", options.m_strDate, "作成年月日（省略すると今日、YYYY/MM/DD）")
            ->type_name("DATE");
    CLI::Option* retText =
        app.add_option("--ret-text", options.m_strRetText, "戻り値の説明")->type_name("TEXT");
    CLI::Option* argText =
        app.add_option("--arg-text", argTexts, "引数 N（1～6）の説明。繰り返し指定できます")
            ->type_name("N=TEXT")
            ->allow_extra_args(false); // one value each time, so a declaration after it stays one
    CLI::Option* encodingOption =
        app.add_option("--encoding", encoding, "入出力の文字コード: utf-8（既定）か cp932")
            ->type_name("NAME");
    CLI::Option* crlf = app.add_flag("--crlf", options.m_bCrlf, "改行を CR LF のまま出力します");
    CLI::Option* check =
        app.add_option("--check", options.m_strCheckPath,
                       "フォーマットファイルを調べ、誤りらしい箇所を行番号付きで報告します")
            ->type_name("FILE");
    std::string insertTarget;
    CLI::Option* insert =
        app.add_option("--insert", insertTarget,
                       "ファイルの行 LINE の宣言のコメントを、その行の前に挿入します")
            ->type_name("FILE:LINE");
    CLI::Option* dryRun = app.add_flag("--dry-run", options.m_bDryRun,
                                       "--insert で書き込まず、変更を差分で出力します");

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        if (error.get_exit_code() == 0) {
            return app.exit(error); // --help or --version, on standard output
        }
        return UsageError(CliDescribeParseError(error, app.remaining()));
    }

    options.m_bCheck = check->count() > 0;
    if (options.m_bCheck) {
        for (const CLI::Option* other : {declaration, format, title, developer, date, retText,
                                         argText, encodingOption, crlf, insert, dryRun}) {
            if (other->count() > 0) {
                return UsageError(MSG_CHECK_ALONE);
            }
        }
        return OPTIONS_RUN;
    }
    options.m_bInsert = insert->count() > 0;
    if (options.m_bInsert && !ParseInsert(insertTarget, options)) {
        return UsageError(MSG_BAD_INSERT);
    }
    if (options.m_bInsert && declaration->count() > 0) {
        return UsageError(MSG_INSERT_WITH_DECLARATION);
    }
    if (options.m_bInsert && crlf->count() > 0) {
        return UsageError(MSG_INSERT_WITH_CRLF);
    }
    if (!options.m_bInsert && dryRun->count() > 0) {
        return UsageError(MSG_DRY_RUN_ALONE);
    }
    options.m_bHasDeclaration = declaration->count() > 0;
    options.m_bHasFormat = format->count() > 0;
    options.m_bHasDeveloper = developer->count() > 0;
    options.m_bHasDate = date->count() > 0;
    if (encodingOption->count() > 0 && !ParseEncoding(encoding, options.m_eEncoding)) {
        return UsageError(MSG_BAD_ENCODING);
    }
    if (const int decoded =
            DecodeTexts(CommandTexts(options, argTexts), CliCodesetEncoding(PfLocaleCodeset()));
        decoded != EXIT_DONE) {
        return decoded;
    }
    if (!ParseArgTexts(argTexts, options)) {
        return UsageError(MSG_BAD_ARG_TEXT);
    }
    return OPTIONS_RUN;
}
