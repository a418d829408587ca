#include "dialogs/KeyAssignmentState.h"

#include "keymap/ApplyAssignment.h"
#include "keymap/BasicFunction.h"

#include <algorithm>

namespace quenlar::dialogs {

namespace {
constexpr std::size_t kShortPathLimit = 13;
constexpr uint8_t kMacroKeyData = 4; // keyData byte 0 of a macro record
constexpr int kMaxCombinedKeys = 3;
constexpr const char *kJoin = "+ ";
} // namespace

std::u16string shortPathForField(std::u16string_view path, char16_t separator) {
    if (path.size() <= kShortPathLimit)
        return std::u16string(path);
    const std::size_t at = path.substr(0, path.size() - 1).rfind(separator);
    if (at == std::u16string_view::npos)
        return std::u16string(path);
    return u".." + std::u16string(path.substr(at));
}

void KeyAssignmentState::open(const HostKeyRecord &record, bool keyEnabled) {
    page_ = AssignmentPage::SingleCombine;
    request_ = AssignmentRequest{};
    singleText_.clear();
    combineText_.clear();
    keepLoaded_ = false;
    litRow_ = selectedRow_ = kNoRow;
    macroSelection_.reset();
    focusAtOpen_.reset();

    if (record.category == static_cast<uint8_t>(AssignmentCategory::Basic)) {
        const KeyAction stored{record.keyData[0], record.keyData[1], record.keyData[2], record.keyData[3]};
        if (const auto function = findBasicFunction(stored))
            request_.functionName = std::string(function->name(language_));
    }

    request_.category = static_cast<AssignmentCategory>(record.category);
    request_.keyCount = record.keyCount;
    switch (record.category) {
    case 0:
        singleText_ = name(record.keyData[0]);
        request_.capturedKeys = record.keyData;
        request_.keyCount = 1;
        keepLoaded_ = true;
        focusAtOpen_ = AssignmentCategory::Single;
        break;
    case 1:
        for (int i = 0; i < kMaxCombinedKeys; ++i) {
            if (record.keyData[i] == 0)
                continue;
            if (!combineText_.empty())
                combineText_ += kJoin;
            combineText_ += name(record.keyData[i]);
        }
        request_.capturedKeys = record.keyData;
        keepLoaded_ = true;
        focusAtOpen_ = AssignmentCategory::Combine;
        break;
    case 2:
        if (record.keyData[0] == kMacroKeyData) {
            page_ = AssignmentPage::Macro;
            macroSelection_ = record.keyData[2];
        }
        break;
    case 3:
        page_ = AssignmentPage::Basic;
        break;
    case 4: case 5: case 6: case 7:
        page_ = AssignmentPage::Advance;
        request_.actionPath = record.actionPathText();
        selectedRow_ = record.category - 4;
        break;
    default:
        break;
    }
    disableBox_ = !keyEnabled;
    request_.keyEnabled = keyEnabled;
}

void KeyAssignmentState::hookKey(uint8_t vk) {
    AssignmentRequest &r = request_;
    if (r.category == AssignmentCategory::Single) {
        r.capturedKeys[0] = vk;
        r.keyCount = 1;
        singleText_ = name(vk);
    } else if (r.category == AssignmentCategory::Combine) {
        // A fourth key starts a new combination (so does any count a damaged record left).
        if (r.keyCount >= kMaxCombinedKeys || r.keyCount < 0) {
            r.keyCount = 0;
            r.capturedKeys.fill(0);
        }
        r.capturedKeys[r.keyCount] = vk;
        combineText_.clear();
        for (int i = 0; i < r.keyCount; ++i)
            combineText_ += name(r.capturedKeys[i]) + kJoin;
        combineText_ += name(vk);
        ++r.keyCount;
    }
}

void KeyAssignmentState::clearCapture() {
    request_.capturedKeys.fill(0);
    request_.keyCount = 0;
}

void KeyAssignmentState::singleEditFocused() {
    if (keepLoaded_ && request_.category == AssignmentCategory::Single) {
        keepLoaded_ = false;
        return;
    }
    request_.category = AssignmentCategory::Single;
    clearCapture();
    combineText_.clear();
}

void KeyAssignmentState::combineEditFocused() {
    if (keepLoaded_ && request_.category == AssignmentCategory::Combine) {
        keepLoaded_ = false;
        return;
    }
    request_.category = AssignmentCategory::Combine;
    clearCapture();
    singleText_.clear();
}

void KeyAssignmentState::deleteAll() {
    combineText_.clear();
    clearCapture();
}

bool KeyAssignmentState::showPage(AssignmentPage page) {
    const bool changed = page != page_;
    switch (page) {
    case AssignmentPage::SingleCombine:
        if (changed) {
            clearCapture();
            singleText_.clear();
            combineText_.clear();
            request_.category = AssignmentCategory::Single;
            litRow_ = selectedRow_ = kNoRow;
        }
        break;
    case AssignmentPage::Macro:
    case AssignmentPage::Basic:
        request_.category = AssignmentCategory::None;
        litRow_ = selectedRow_ = kNoRow;
        break;
    case AssignmentPage::Advance:
        litRow_ = kNoRow;
        if (changed) {
            clearCapture();
            singleText_.clear();
            combineText_.clear();
            request_.category = AssignmentCategory::None;
            selectedRow_ = kNoRow;
        }
        break;
    }
    page_ = page;
    return changed;
}

void KeyAssignmentState::cancel() { clearCapture(); }

KeyAssignmentState::SaveResult KeyAssignmentState::save(int macroSelection, const std::optional<TreeChoice> &tree) {
    AssignmentRequest &r = request_;
    switch (page_) {
    case AssignmentPage::SingleCombine: {
        r.keyEnabled = !disableBox_;
        // The keys captured, counted from the start; a damaged record cannot make more than three.
        int count = 0;
        while (count < kCapturedKeysSize && r.capturedKeys[count] != 0)
            ++count;
        if (count > kMaxCombinedKeys) {
            std::fill(r.capturedKeys.begin() + kMaxCombinedKeys, r.capturedKeys.end(), uint8_t{0});
            count = kMaxCombinedKeys;
        }
        r.keyCount = count;
        if (count == 0)
            r.category = AssignmentCategory::RestoreKey;
        break;
    }
    case AssignmentPage::Macro:
        r.category = AssignmentCategory::Macro;
        r.macroIndex = macroSelection;
        if (macroSelection < 0) {
            r.macroIndex = -1;
            r.keyEnabled = true;
            r.category = AssignmentCategory::RestoreKey;
        } else {
            r.keyEnabled = !disableBox_;
        }
        break;
    case AssignmentPage::Basic:
        r.category = AssignmentCategory::Basic;
        if (!tree || tree->isGroup || tree->text.empty())
            return {Outcome::Stay, language_ == Language::Chinese ? "请选择子项" : "Please select Sub item"};
        r.functionName = tree->text;
        r.keyEnabled = !disableBox_;
        break;
    case AssignmentPage::Advance:
        r.keyEnabled = !disableBox_;
        break;
    }
    // What cannot be stored is refused here, before the dialog closes.
    if (Result checked = checkAssignment(r, language_); !checked)
        return {Outcome::Stay, checked.message()};
    return {Outcome::Ok, {}};
}

void KeyAssignmentState::clickRadio(int row) {
    litRow_ = selectedRow_ = row;
    request_.actionPath.clear();
}

void KeyAssignmentState::browseChosen(int row, const std::u16string &path) {
    selectedRow_ = row;
    request_.category = static_cast<AssignmentCategory>(4 + row);
    request_.actionPath = path;
}

void KeyAssignmentState::clickOutsideCells() {
    if (selectedRow_ == kNoRow) {
        litRow_ = kNoRow;
        request_.category = AssignmentCategory::RestoreKey;
    }
}

} // namespace quenlar::dialogs
