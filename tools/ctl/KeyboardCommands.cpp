// The commands that read the keyboard's configuration or change it directly.

#include "Commands.h"
#include "FieldAssignments.h"
#include "StateReport.h"

#include "keymap/KeymapFile.h"
#include "model/FileIo.h"
#include "model/KeyTable.h"

#include <charconv>
#include <cstring>
#include <functional>
#include <iostream>

namespace quenlar::ctl {

namespace {

// keymap.bin holds the working configuration between runs, so what the keyboard took is saved
// there too, as the window saves it after every write; the key records stay as they are.
int keepInKeymapFile(const Context &context, const KeyboardState &state) {
    KeyboardState old;
    auto records = std::make_unique<HostKeyRecords>();
    if (int status = loadWorkingConfiguration(context, old, *records); status != kDone)
        return status;
    if (Result saved = saveKeymapFile(context.paths.keymapFile(), state, *records, context.options.language); !saved)
        return fail(saved.message());
    return kDone;
}

// Reads the keyboard, lets `change` edit the working image, and writes back what differs.
int readChangeWrite(Context &context, const std::function<void(KeyboardState &)> &change) {
    KeyboardSession session(context.options);
    if (int status = session.open(true); status != kDone)
        return status;
    auto read = session.link().readAll(KeyboardState{});
    if (!read.result)
        return fail(read.result.message(context.options.language));
    KeyboardImages images;
    images.working = read.state;
    images.commit();
    change(images.working);
    auto written = session.link().writeAll(images);
    if (!written.result)
        return fail(written.result.message(context.options.language));
    if (int status = keepInKeymapFile(context, images.working); status != kDone)
        return status;
    context.out << (written.sentAnything ? "Written to the keyboard." : "The keyboard already holds this.") << "\n";
    return kDone;
}

int readAndShow(Context &context, bool json) {
    KeyboardSession session(context.options);
    if (int status = session.open(false); status != kDone)
        return status;
    auto read = session.link().readAll(KeyboardState{});
    if (!read.result)
        return fail(read.result.message(context.options.language));
    context.out << (json ? stateJson(read.state) : statusText(read.state, read.device));
    return kDone;
}

// A custom-layer cell colour: "#RRGGBB" or "RRGGBB", "off" (dark) or "on" (lit as a click in the
// window lights a key). Cells hold 0, blue, green, red.
std::optional<std::array<uint8_t, 4>> parseCellColour(std::string text) {
    if (text == "off" || text == "dark")
        return std::array<uint8_t, 4>{0, 0, 0, 0};
    if (text == "on" || text == "lit")
        return std::array<uint8_t, 4>{0, 0xFF, 0, 0};
    if (!text.empty() && text.front() == '#')
        text.erase(0, 1);
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != 6 || ec != std::errc{} || end != text.data() + text.size())
        return std::nullopt;
    return std::array<uint8_t, 4>{0, static_cast<uint8_t>(value & 0xFF), static_cast<uint8_t>((value >> 8) & 0xFF),
                                  static_cast<uint8_t>(value >> 16)};
}

// Keys 108..112 have no light of their own: the window never paints them.
constexpr int kPaintableKeys = 108;

} // namespace

int runStatus(Context &context, const Arguments &args) {
    if (!args.empty())
        return fail("status takes no arguments", kUsageError);
    return readAndShow(context, false);
}

int runDump(Context &context, const Arguments &args) {
    if (args.size() != 1 || args[0] != "--json")
        return fail("dump needs --json", kUsageError);
    return readAndShow(context, true);
}

int runSet(Context &context, const Arguments &args) {
    if (args.empty())
        return fail("set needs at least one FIELD=VALUE", kUsageError);
    std::string error;
    auto assignments = parseFieldAssignments(args, error);
    if (!assignments)
        return fail(error, kUsageError);
    return readChangeWrite(context, [&](KeyboardState &s) { applyFieldAssignments(*assignments, s); });
}

int runApply(Context &context, const Arguments &args) {
    if (args.size() > 1)
        return fail("apply takes one file at most", kUsageError);
    // Without a file: the working configuration, as the window's apply sends it.
    const std::string name = args.empty() ? context.paths.keymapFile().string() : args[0];
    auto file = readWholeFile(name);
    if (!file)
        return fail("cannot read " + name);
    if (file->size() < kKeyboardStateSize)
        return fail(name + " is too short for a keyboard configuration (" + std::to_string(file->size()) +
                    " of " + std::to_string(kKeyboardStateSize) + " bytes)");
    std::vector<uint8_t> applied(file->begin(), file->begin() + kKeyboardStateSize);
    return readChangeWrite(context, [&](KeyboardState &s) { std::memcpy(&s, applied.data(), applied.size()); });
}

int runReset(Context &context, const Arguments &args) {
    if (!args.empty())
        return fail("reset takes no arguments", kUsageError);
    KeyboardSession session(context.options);
    if (int status = session.open(true); status != kDone)
        return status;
    KeyboardState state;
    if (auto reset = session.link().factoryReset(state); !reset)
        return fail(reset.message(context.options.language));
    if (int status = keepInKeymapFile(context, state); status != kDone)
        return status;
    context.out << "Factory settings restored.\n";
    return kDone;
}

int runProbe(Context &context, const Arguments &args) {
    if (!args.empty())
        return fail("probe takes no arguments", kUsageError);
    auto transport = makeTransport(context.options);
    if (!transport)
        return kFailed;
    ReportTrace trace;
    RealSleeper sleeper;
    HidLink link(*transport, sleeper, trace);
    return link.openConfig() ? kDone : kFailed;
}

int runPaint(Context &context, const Arguments &args) {
    if (args.size() < 3 || args.size() % 2 == 0)
        return fail("paint needs LAYER and one or more KEY COLOUR pairs", kUsageError);
    int layer = 0;
    const auto [end, ec] = std::from_chars(args[0].data(), args[0].data() + args[0].size(), layer);
    if (ec != std::errc{} || end != args[0].data() + args[0].size() || layer < 1 || layer > kCustomLayerCount)
        return fail("bad layer \"" + args[0] + "\" (1 to 5: the custom effects DIY1 to DIY5)", kUsageError);
    std::vector<std::pair<int, std::array<uint8_t, 4>>> cells;
    for (std::size_t i = 1; i < args.size(); i += 2) {
        std::string error;
        const auto key = parseKey(args[i], error);
        if (!key)
            return fail(error, kUsageError);
        if (*key >= kPaintableKeys)
            return fail("key " + args[i] + " has no light of its own", kUsageError);
        const auto colour = parseCellColour(args[i + 1]);
        if (!colour)
            return fail("bad colour \"" + args[i + 1] + "\" (#RRGGBB, on or off)", kUsageError);
        cells.emplace_back(*key, *colour);
    }
    return readChangeWrite(context, [&](KeyboardState &s) {
        auto cellsOfLayer = s.customLayer(layer - 1);
        for (const auto &[key, colour] : cells)
            std::memcpy(cellsOfLayer.data() + keyAt(key).ledOffset, colour.data(), colour.size());
    });
}

} // namespace quenlar::ctl
