// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace pelnori::test {

// The effects the control's tests play: a 100 ms knock on the strong motor,
// a 300 ms buzz on the weak one, a 200 ms swell and a five-second hum.
inline constexpr auto kTestEffects = R"(version = 1

[[effect]]
name = "knock"
type = "rumble"
duration = 100
strong = 1.0
weak = 0.0

[[effect]]
name = "buzz"
type = "rumble"
duration = 300
strong = 0.0
weak = 0.5

[[effect]]
name = "swell"
type = "constant"
duration = 200
magnitude = 1.0
attack = { time = 200, level = 0.0 }

[[effect]]
name = "hum"
type = "rumble"
duration = 5000
strong = 0.5
weak = 0.5
)";

} // namespace pelnori::test
