#include "model/KeyNameTable.h"

namespace quenlar {

namespace {
struct NamedKey {
    uint8_t vk;
    uint8_t usage;
    const char *name;
};

// Written after the letters, digits and function keys; a later entry replaces an earlier one.
constexpr NamedKey kNamedKeys[] = {
    {8, 42, "Back "},     {9, 43, "Tab "},       {13, 40, "Enter "},    {19, 72, "Pause "},
    {20, 57, "Caps "},    {27, 41, "Esc "},      {32, 44, "Space "},    {33, 75, "PgUp "},
    {34, 78, "PgDn "},    {35, 77, "End "},      {36, 74, "Home "},     {37, 80, "Left "},
    {38, 82, "Up "},      {39, 79, "Right "},    {40, 81, "Down "},     {44, 70, "Prscr "},
    {45, 73, "Inst "},    {46, 76, "Del "},      {91, 227, "LWin "},    {92, 231, "RWin "},
    {93, 101, "Apps "},   {96, 98, "0-num "},    {97, 89, "1-num "},    {98, 90, "2-num "},
    {99, 91, "3-num "},   {100, 92, "4-num "},   {101, 93, "5-num "},   {102, 94, "6-num "},
    {103, 95, "7-num "},  {104, 96, "8-num "},   {105, 97, "9-num "},   {106, 85, "* "},
    {107, 87, "+ "},      {108, 88, "Enter "},   {109, 86, "- "},       {110, 99, ". "},
    {111, 84, "/ "},      {144, 83, "Num "},     {145, 71, "Scrol "},   {160, 225, "LShift "},
    {161, 229, "RShift "}, {162, 224, "LCtrl "}, {163, 228, "RCtrl "},  {164, 226, "LAlt "},
    {165, 230, "RAlt "},  {174, 234, "Volume DOWN "}, {175, 233, "Volume UP "}, {179, 205, "Play/Pause"},
    {181, 131, "Media "}, {186, 51, "; "},       {187, 46, "= "},       {188, 54, ", "},
    {189, 45, "- "},      {190, 55, ". "},       {191, 56, "/ "},       {192, 53, "` "},
    {219, 47, "[ "},      {220, 50, "\\ "},      {221, 48, "] "},       {222, 52, "' "},
    {240, 240, "MsLB"},   {241, 241, "MsRB"},    {242, 242, "MsMB"},    {243, 243, ""},
    {244, 244, ""},       {245, 245, "Mouse Pointer Right"}, {246, 246, "Mouse Pointer Up"},
    {247, 247, "Mouse pointer Down"}, {248, 248, "Mouse Wheel Up"}, {249, 249, "Mouse Wheel Down"},
};
} // namespace

KeyNameTable::KeyNameTable() {
    for (int vk = 0; vk < 256; ++vk)
        entries_[vk].vk = static_cast<uint8_t>(vk);
    for (int vk = 'A'; vk <= 'Z'; ++vk) {
        entries_[vk].usage = static_cast<uint8_t>(vk - 61);
        entries_[vk].name = std::string{static_cast<char>(vk), ' '};
    }
    entries_['0'].usage = 39;
    entries_['0'].name = "0";
    for (int vk = '1'; vk <= '9'; ++vk) {
        entries_[vk].usage = static_cast<uint8_t>(vk - 19);
        entries_[vk].name = std::string{static_cast<char>(vk), ' '};
    }
    for (int vk = 112; vk <= 123; ++vk) {
        entries_[vk].usage = static_cast<uint8_t>(vk - 54);
        entries_[vk].name = "F" + std::to_string(vk - 111) + " ";
    }
    for (const auto &key : kNamedKeys) {
        entries_[key.vk].usage = key.usage;
        entries_[key.vk].name = key.name;
    }
}

} // namespace quenlar
