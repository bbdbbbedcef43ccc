// The man page and the bash completion follow the tool: every command and option that --help
// lists is in both, and every exit code --help names is in the man page.

#include <regex>
#include <set>

#include "cli_folder.h"

namespace cli_test {
namespace {

std::set<std::string> matches(const std::string& text, const std::regex& pattern) {
  std::set<std::string> found;
  for (auto it = std::sregex_iterator(text.begin(), text.end(), pattern); it != std::sregex_iterator(); ++it)
    found.insert((*it)[1].str());
  return found;
}

// The page as a reader sees its words: "\-" is a hyphen, "\fB" and the like switch fonts.
std::string manText(std::string page) {
  page = std::regex_replace(page, std::regex(R"(\\f[BIRP])"), "");
  return std::regex_replace(page, std::regex(R"(\\-)"), "-");
}

bool hasWord(const std::string& text, const std::string& word) {
  return std::regex_search(text, std::regex("(^|[^-a-z])" + word + "($|[^-a-z])"));
}

class ManPage : public CliFolder {};

TEST_F(ManPage, NamesEveryCommandOptionAndExitCodeTheHelpNames) {
  const clsRun help = run("--help");
  ASSERT_EQ(help.exitCode, 0);
  const std::set<std::string> commands = matches(help.out, std::regex(R"(quenmoor-grass-cli ([a-z]+))"));
  const std::set<std::string> options = matches(help.out, std::regex(R"((?:^|[\s\[|])(--?[a-z][-a-z]*))"));
  const std::set<std::string> codes = matches(help.out.substr(help.out.find("Exit codes:")), std::regex(R"((\d) [a-z])"));
  ASSERT_EQ(commands.size(), 4u);
  ASSERT_GE(options.size(), 8u);
  ASSERT_EQ(codes.size(), 5u);

  const std::string page = manText(readFile(QUENMOOR_DATA_DIR "/quenmoor-grass-cli.1"));
  const std::string completion = readFile(QUENMOOR_DATA_DIR "/quenmoor-grass-cli.bash-completion");
  const std::string exitStatus = page.substr(page.find(".SH EXIT STATUS"));
  for (const std::string& command : commands) {
    EXPECT_NE(page.find(".B " + command + "\n"), std::string::npos) << command;
    EXPECT_TRUE(hasWord(completion, command)) << command;
  }
  for (const std::string& option : options) {
    EXPECT_TRUE(hasWord(page, option)) << option;
    EXPECT_TRUE(hasWord(completion, option)) << option;
  }
  for (const std::string& code : codes) EXPECT_NE(exitStatus.find(".B " + code + "\n"), std::string::npos) << code;
}

}  // namespace
}  // namespace cli_test
