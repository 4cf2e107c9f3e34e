// SPDX-License-Identifier: GPL-3.0-or-later
#include "input/padmapping.h"

#include <utility>

namespace pelnori {

std::optional<PadAction> padActionOf(const PadMapping &mapping, std::string_view button)
{
    // The player's choices come first, so a button given to an action does
    // only that.
    const std::pair<const std::string &, PadAction> chosen[] = {{mapping.turn, PadAction::Turn},
                                                                {mapping.start, PadAction::Start},
                                                                {mapping.readFile, PadAction::ReadFile},
                                                                {mapping.state, PadAction::SayState}};
    for (const auto &[name, action] : chosen) {
        if (name == button)
            return action;
    }
    static constexpr std::pair<std::string_view, PadAction> kFixed[] = {
        {"dpup", PadAction::Up},           {"dpdown", PadAction::Down},
        {"dpleft", PadAction::Left},       {"dpright", PadAction::Right},
        {"b", PadAction::Cancel},          {"leftshoulder", PadAction::PreviousField},
        {"rightshoulder", PadAction::NextField}, {"back", PadAction::Menu}};
    for (const auto &[name, action] : kFixed) {
        if (name == button)
            return action;
    }
    return std::nullopt;
}

} // namespace pelnori
