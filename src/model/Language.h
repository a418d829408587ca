#pragma once

namespace quenlar {

// The interface language, fixed at start. Every user-visible text exists in both.
enum class Language { English, Chinese };

} // namespace quenlar
