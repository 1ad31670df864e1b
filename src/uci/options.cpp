#include "uci/options.h"

#include <algorithm>
#include <cctype>

#include "hash/hash.h"
#include "io/output.h"
#include "io/text.h"
#include "search/search_state.h"
#include "search/skill.h"
#include "search/threads.h"

EngineOptions engine_options{MOVE_OVERHEAD_DEFAULT, false, 1, false, FULL_STRENGTH, false, SKILL_ELO_MIN};

namespace {

// Option names are compared without regard to case, as interfaces differ in it.
bool same_name(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

}  // namespace

std::uint16_t read_hash_option(std::string_view line) {
  constexpr std::string_view keyword = "Hash value";
  const std::size_t found = line.find(keyword);
  if (found == std::string_view::npos) return 0;
  // The character after the keyword is skipped; a line that ends there has no number.
  const std::size_t start = found + keyword.size() + 1;
  if (start > line.size()) return 0;
  return static_cast<std::uint16_t>(read_number(line.substr(start)));
}

Skill playing_skill() {
  return engine_options.limit_strength ? skill_for_elo(engine_options.elo)
                                       : skill_for_level(engine_options.skill_level);
}

void write_option_lines() {
  OutLine() << "option name Hash type spin default 1 min 1 max 1024\n"
            << "option name Threads type spin default 1 min 1 max " << MAX_THREADS << '\n'
            << "option name Ponder type check default false\n"
            << "option name MultiPV type spin default 1 min 1 max " << MAX_MULTIPV << '\n'
            << "option name Move Overhead type spin default " << MOVE_OVERHEAD_DEFAULT << " min 0 max "
            << MOVE_OVERHEAD_MAX << '\n'
            << "option name Clear Hash type button\n"
            << "option name UCI_Chess960 type check default false\n"
            << "option name Skill Level type spin default " << FULL_STRENGTH << " min 0 max " << FULL_STRENGTH << '\n'
            << "option name UCI_LimitStrength type check default false\n"
            << "option name UCI_Elo type spin default " << SKILL_ELO_MIN << " min " << SKILL_ELO_MIN << " max "
            << skill_elo_max() << '\n';
}

void set_option(std::string_view line) {
  if (const std::uint16_t megabytes = read_hash_option(line); megabytes != 0) {
    resize_hash(megabytes);
    clear_hash();
  }
  // "setoption name <name> [value <value>]": the name may hold spaces.
  constexpr std::string_view name_word = " name ", value_word = " value ";
  const std::size_t name_at = line.find(name_word);
  if (name_at == std::string_view::npos) return;
  std::string_view rest = line.substr(name_at + name_word.size());
  const std::size_t value_at = rest.find(value_word);
  const std::string_view name = trimmed(rest.substr(0, value_at));
  const bool has_value = value_at != std::string_view::npos;
  const std::string_view value = has_value ? trimmed(rest.substr(value_at + value_word.size())) : std::string_view{};

  if (same_name(name, "Threads") && has_value) {
    // 0 counts as 1 and anything above the most as the most.
    set_hash_zeroing_threads(set_search_threads(std::clamp<std::int32_t>(read_number(value), 1, MAX_THREADS)));
  } else if (same_name(name, "Move Overhead") && has_value) {
    const std::int32_t ms = read_number(value);
    engine_options.move_overhead_ms = static_cast<std::uint16_t>(std::clamp<std::int32_t>(ms, 0, MOVE_OVERHEAD_MAX));
  } else if (same_name(name, "Ponder") && has_value) {
    // Anything but "true" leaves pondering off, as a check box has no third state.
    engine_options.ponder = same_name(value, "true");
  } else if (same_name(name, "MultiPV") && has_value) {
    engine_options.multipv = static_cast<std::uint8_t>(std::clamp<std::int32_t>(read_number(value), 1, MAX_MULTIPV));
  } else if (same_name(name, "UCI_Chess960") && has_value) {
    engine_options.chess960 = same_name(value, "true");
  } else if (same_name(name, "Skill Level") && has_value) {
    engine_options.skill_level =
        static_cast<std::uint8_t>(std::clamp<std::int32_t>(read_number(value), 0, FULL_STRENGTH));
  } else if (same_name(name, "UCI_LimitStrength") && has_value) {
    engine_options.limit_strength = same_name(value, "true");
  } else if (same_name(name, "UCI_Elo") && has_value) {
    engine_options.elo =
        static_cast<std::uint16_t>(std::clamp<std::int32_t>(read_number(value), SKILL_ELO_MIN, skill_elo_max()));
  } else if (same_name(name, "Clear Hash")) {
    hash_age = 0;
    clear_hash();
  }
}
