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
        const std::string strName =
            make_option_name(pOption, bPositional) + make_option_opts(pOption);
        std::size_t nWide = 0;
        for (const char ch : strName) {
            // Lead bytes of three-byte characters, which are the wide ones here.
            nWide += (static_cast<unsigned char>(ch) & 0xF0) == 0xE0 ? 1 : 0;
        }
        strLine.insert(HELP_INDENT + strName.size(), nWide, ' ');
        return strLine;
    }
    // The declaration, one at most, though --lint takes the arguments as its files.
    std::string make_option_opts(const CLI::Option* pOption) const override {
        return pOption->get_positional() ? std::string()
                                         : CLI::Formatter::make_option_opts(pOption);
    }
    // The usage line names only the positionals, here the one the declaration is.
    std::string make_option_usage(const CLI::Option* pOption) const override {
        return "[" + pOption->get_name(true) + "]";
    }
};

int UsageError(const std::string& message) {
    std::fprintf(stderr, "veldane-header: %s\n%s\n", message.c_str(), MSG_SEE_HELP);
    return EXIT_USAGE;
}

// "FILE:LINE", split at the last colon so that a path may hold colons, or a plain "FILE" when no
// colon is followed by digits alone (`bLineNeeded` refuses that). A line number too large for any
// file is kept as the largest number, so that it is reported as past the end. False for an empty
// path, an empty or zero line, or a missing line where one is needed.
bool ParseTarget(const std::string& target, bool bLineNeeded, std::string& path,
                 std::size_t& line) {
    const std::size_t colon = target.rfind(':');
    const bool bDigits = colon != std::string::npos && colon + 1 < target.size() &&
                         target.find_first_not_of("0123456789", colon + 1) == std::string::npos;
    if (!bDigits) {
        const bool bEmptyLine = colon != std::string::npos && colon + 1 == target.size();
        path = target;
        line = 0;
        return !bLineNeeded && !bEmptyLine && !target.empty();
    }
    line = 0;
    for (std::size_t i = colon + 1; i < target.size(); ++i) {
        const std::size_t digit = static_cast<std::size_t>(target[i] - '0');
        line = line > (SIZE_MAX - digit) / 10 ? SIZE_MAX : line * 10 + digit;
    }
    path = target.substr(0, colon);
    return colon > 0 && line > 0;
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
        options.m_abHasArgText[item[0] - '1'] = true;
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
    for (std::string& pattern : options.m_vecExclude) {
        texts.push_back({CliPrintf(MSG_NOUN_OPTION_VALUE, "--exclude"), "--exclude", &pattern});
    }
    return texts;
}

// The modes an option may be given in, as bits.
constexpr unsigned PRINT = 1U << static_cast<unsigned>(CliMode::Print);
constexpr unsigned INSERT_LINE = 1U << static_cast<unsigned>(CliMode::InsertLine);
constexpr unsigned INSERT_FILES = 1U << static_cast<unsigned>(CliMode::InsertFiles);
constexpr unsigned INSERTS = INSERT_LINE | INSERT_FILES;
constexpr unsigned READ_BACK = 1U << static_cast<unsigned>(CliMode::ReadBack);
constexpr unsigned LINT = 1U << static_cast<unsigned>(CliMode::Lint);

constexpr unsigned ModeBit(CliMode mode) {
    return 1U << static_cast<unsigned>(mode);
}

struct OptionRule {
    const CLI::Option* m_pOption;
    unsigned m_nModes;
    // The options an option given without its mode needs, as the message names them...
    const char* m_pszNeeds;
    // ...or, for an option the other modes take, a printf pattern of the refusal, which takes
    // the mode's option.
    const char* m_pszRefusal;
};

// An option as the user knows it: its long name.
std::string OptionName(const CLI::Option* pOption) {
    return pOption->get_name();
}

// The values of --insert: one FILE:LINE, or files alone (each FILE[:LINE] split as ParseTarget
// splits it). EXIT_DONE with the mode and files set, or the usage error's status.
int ParseInserts(const std::vector<std::string>& inserts, CliOptions& options) {
    options.m_eMode = CliMode::InsertFiles;
    for (const std::string& insert : inserts) {
        std::string path;
        std::size_t line = 0;
        if (!ParseTarget(insert, false, path, line)) {
            return UsageError(MSG_BAD_INSERT);
        }
        if (line > 0) {
            options.m_eMode = CliMode::InsertLine;
            options.m_nLine = line;
        }
        options.m_vecFiles.push_back(std::move(path));
    }
    if (options.m_eMode == CliMode::InsertLine && inserts.size() > 1) {
        return UsageError(MSG_INSERT_LINE_ALONE);
    }
    return EXIT_DONE;
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
    std::vector<std::string> inserts;
    std::string readBack;
    // The declaration, or with --lint the files: so that every option may stand anywhere, also
    // right after --lint, which takes no value of its own.
    std::vector<std::string> arguments;
    CLI::Option* declaration =
        app.add_option(MSG_NOUN_DECLARATION, arguments,
                       "関数の宣言（省略すると標準入力から）、--lint では調べるファイル")
            ->type_name("");
    CLI::Option* format =
        app.add_option("-f,--format", options.m_strFormatPath, "フォーマットファイル")
            ->type_name("FILE");
    CLI::Option* from = app.add_option("--from", options.m_strFromPath,
                                       "既存のコメントを読むフォーマットファイル（-f と違うとき）")
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
    CLI::Option* tidy = app.add_flag("--tidy", "宣言を整えて解析します（設定より優先）");
    CLI::Option* noTidy =
        app.add_flag("--no-tidy", "宣言を決まった規則で解析します（設定より優先）");
    CLI::Option* check =
        app.add_option("--check", options.m_strCheckPath,
                       "フォーマットファイルを調べ、誤りらしい箇所を行番号付きで報告します")
            ->type_name("FILE");
    CLI::Option* insert =
        app.add_option(
               "--insert", inserts,
               "LINE を含む関数のコメントを挿入か更新します。:LINE を省くとファイルの全関数。"
               "繰り返し指定できます")
            ->type_name("FILE[:LINE]")
            ->allow_extra_args(false);
    CLI::Option* readBackOption =
        app.add_option("--read-back", readBack,
                       "LINE を含む関数の上のコメントをフォーマットファイルで読み戻して表示します")
            ->type_name("FILE:LINE");
    CLI::Option* lint =
        app.add_flag("--lint", "引数のファイルの各関数に、宣言と合ったコメントがあるか調べます");
    CLI::Option* strict = app.add_flag("--strict", options.m_bStrict,
                                       "--lint で、説明のない引数と戻り値も報告します");
    CLI::Option* declarations =
        app.add_flag("--declarations", options.m_bDeclarations,
                     "; で終わる関数宣言（ヘッダ、クラス内）も対象にします");
    CLI::Option* exclude =
        app.add_option("--exclude", options.m_vecExclude,
                       "この名前の関数を対象から外します（* ? [] のパターン、繰り返し可）")
            ->type_name("NAME")
            ->allow_extra_args(false);
    CLI::Option* reuse = app.add_flag(
        "--reuse", options.m_bReuse,
        "説明のない引数に、同じ実行の他のコメントで同じ名前と型の引数の説明を使います");
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

    if (check->count() > 0) {
        for (const CLI::Option* pOption : app.get_options()) {
            if (pOption != check && pOption->count() > 0) {
                return UsageError(MSG_CHECK_ALONE);
            }
        }
        options.m_eMode = CliMode::Check;
        return OPTIONS_RUN;
    }
    if ((insert->count() > 0) + (readBackOption->count() > 0) + (lint->count() > 0) > 1) {
        return UsageError(MSG_ONE_MODE);
    }
    if (insert->count() > 0) {
        if (const int parsed = ParseInserts(inserts, options); parsed != EXIT_DONE) {
            return parsed;
        }
    } else if (readBackOption->count() > 0) {
        options.m_eMode = CliMode::ReadBack;
        options.m_vecFiles.emplace_back();
        if (!ParseTarget(readBack, true, options.m_vecFiles.back(), options.m_nLine)) {
            return UsageError(MSG_BAD_READ_BACK);
        }
    } else if (lint->count() > 0) {
        options.m_eMode = CliMode::Lint;
        if (arguments.empty()) {
            return UsageError(MSG_LINT_WITHOUT_FILES);
        }
        options.m_vecFiles = arguments;
    }
    if (options.m_eMode == CliMode::Print && arguments.size() > 1) {
        std::string extras = arguments[1];
        for (std::size_t i = 2; i < arguments.size(); ++i) {
            extras += " " + arguments[i];
        }
        return UsageError(CliPrintf(MSG_UNEXPECTED_ARGS, extras.c_str()));
    }
    options.m_strDeclaration =
        options.m_eMode == CliMode::Print && !arguments.empty() ? arguments.front() : std::string();
    // Which modes take each option, and what a refusal says.
    const OptionRule rules[] = {
        {declaration, PRINT | LINT, nullptr, MSG_FILE_MODE_WITH_DECLARATION},
        {from, INSERTS | READ_BACK, "--insert か --read-back", nullptr},
        {title, PRINT | INSERTS, "--insert", nullptr},
        {developer, PRINT | INSERTS, "--insert", nullptr},
        {date, PRINT | INSERTS, "--insert", nullptr},
        {retText, PRINT | INSERTS, "--insert", nullptr},
        {argText, PRINT | INSERT_LINE, "--insert ファイル:行番号", nullptr},
        {crlf, PRINT | READ_BACK | LINT, nullptr, MSG_INSERT_WITH_CRLF},
        {strict, LINT, "--lint", nullptr},
        {declarations, INSERT_FILES | LINT, "--insert ファイル か --lint", nullptr},
        {exclude, INSERT_FILES | LINT, "--insert ファイル か --lint", nullptr},
        {reuse, INSERT_FILES, "--insert ファイル", nullptr},
        {dryRun, INSERTS, "--insert", nullptr},
    };
    const char* modeOption = options.m_eMode == CliMode::ReadBack ? "--read-back"
                             : options.m_eMode == CliMode::Lint   ? "--lint"
                                                                  : "--insert";
    for (const OptionRule& rule : rules) {
        if (rule.m_pOption->count() == 0 || (rule.m_nModes & ModeBit(options.m_eMode)) != 0) {
            continue;
        }
        return UsageError(
            rule.m_pszNeeds != nullptr
                ? CliPrintf(MSG_OPTION_NEEDS, OptionName(rule.m_pOption).c_str(), rule.m_pszNeeds)
                : CliPrintf(rule.m_pszRefusal, modeOption));
    }
    if (tidy->count() > 0 && noTidy->count() > 0) {
        return UsageError(MSG_TIDY_BOTH);
    }
    options.m_eTidy = tidy->count() > 0     ? CliTidy::On
                      : noTidy->count() > 0 ? CliTidy::Off
                                            : CliTidy::Settings;
    options.m_bHasDeclaration = options.m_eMode == CliMode::Print && declaration->count() > 0;
    options.m_bHasFormat = format->count() > 0;
    options.m_bHasFrom = from->count() > 0;
    options.m_bHasTitle = title->count() > 0;
    options.m_bHasDeveloper = developer->count() > 0;
    options.m_bHasDate = date->count() > 0;
    options.m_bHasRetText = retText->count() > 0;
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
