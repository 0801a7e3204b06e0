#include "views/PointForm.h"

#include "base/NumberText.h"
#include "base/VectorMath.h"
#include "model/CourseData.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <string_view>

namespace PointForm {

namespace {

enum Field { X, Y, Z, Bank, WidthA, WidthB, Samples, FieldNum };

constexpr std::array<const char*, FieldNum> LabelNames{
    "x", "y (高さ)", "z", "バンク (度)", "幅A", "幅B", "サンプル数",
};

std::string_view Trimmed(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::optional<double> Number(std::string_view text) {
    double value = 0.0;
    return ParseNumber(Trimmed(text), value) ? std::optional(value) : std::nullopt;
}

std::optional<int32_t> Whole(std::string_view text) {
    int32_t value = 0;
    return ParseWhole(Trimmed(text), value) ? std::optional(value) : std::nullopt;
}

std::string Quoted(Field field) {
    return std::string("「") + LabelNames[field] + "」";
}

std::string CheckField(Field field, std::string_view text) {
    if (field == Samples) {
        const std::optional<int32_t> samples = Whole(text);
        if (!samples || *samples < 0 || *samples > CourseData::MaxSampleNum) {
            return Quoted(field) + "には 0 から " + std::to_string(CourseData::MaxSampleNum) +
                   " までの整数を入力してください";
        }
        return {};
    }
    const std::optional<double> value = Number(text);
    if (!value) {
        return Quoted(field) + "には数値を入力してください";
    }
    if (field == Bank && std::abs(*value) > MaxBankDegrees) {
        return Quoted(field) + "は -180 から 180 までです";
    }
    if ((field == WidthA || field == WidthB) && *value < 0.0) {
        return Quoted(field) + "には 0 以上の数値を入力してください";
    }
    if (std::abs(*value) > CourseData::MaxMagnitude) {
        return Quoted(field) + "の値が大きすぎます";
    }
    return {};
}

} // namespace

std::vector<std::string> Labels() {
    return {LabelNames.begin(), LabelNames.end()};
}

std::vector<std::string> Texts(int point) {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    CourseData::GetPosition(point, x, y, z);
    double roll = 0.0;
    CourseData::GetRoll(point, roll);
    double widthA = 0.0;
    double widthB = 0.0;
    CourseData::GetWidth(point, widthA, widthB);
    // Each reads back to the very value, so that an untouched form changes nothing.
    return {ShortestText(x),
            ShortestText(y),
            ShortestText(z),
            ShortestText(roll * DegreesPerRadian),
            ShortestText(widthA),
            ShortestText(widthB),
            std::to_string(CourseData::GetSampleNum(point))};
}

std::string Check(const std::vector<std::string>& texts) {
    if (texts.size() != FieldNum) {
        return "入力欄の数が違います";
    }
    for (int field = 0; field < FieldNum; ++field) {
        std::string problem = CheckField(static_cast<Field>(field), texts[field]);
        if (!problem.empty()) {
            return problem;
        }
    }
    return {};
}

// Only what the form changed is set: an untouched value keeps the exact number it had
// (a roll, for one, is not put through degrees and back), and an untouched form leaves
// the course as it was.
void Apply(int point, const std::vector<std::string>& texts) {
    const auto value = [&texts](Field field) { return *Number(texts[field]); };
    const std::vector<std::string> before = Texts(point);
    const auto changed = [&](Field field) { return value(field) != *Number(before[field]); };
    if (changed(X) || changed(Y) || changed(Z)) {
        CourseData::SetPosition(point, value(X), value(Y), value(Z));
    }
    if (changed(Bank)) {
        CourseData::SetRoll(point, value(Bank) / DegreesPerRadian);
    }
    if (changed(WidthA) || changed(WidthB)) {
        CourseData::SetWidth(point, value(WidthA), value(WidthB));
    }
    const int32_t samples = *Whole(texts[Samples]);
    if (samples != CourseData::GetSampleNum(point)) {
        CourseData::ChangeSampleNum(samples - CourseData::GetSampleNum(point));
    }
}

} // namespace PointForm
