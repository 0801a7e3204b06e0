#include "cli/CourseCheck.h"

#include "base/NumberText.h"

#include <string_view>

namespace {

using namespace CourseAnalysis;

std::string Field(std::string_view name, const std::string& value) {
    return "\"" + std::string(name) + "\":" + value;
}

std::string RangeJson(const std::optional<Range>& range) {
    return range ? "{" + Field("min", JsonNumber(range->min)) + "," +
                       Field("max", JsonNumber(range->max)) + "}"
                 : "null";
}

std::string LengthsJson(const std::vector<double>& lengths) {
    std::string json = "[";
    for (const double length : lengths) {
        json += (json.size() > 1 ? "," : "") + JsonNumber(length);
    }
    return json + "]";
}

std::string PlaceFields(const Place& place) {
    return Field("segment", std::to_string(place.segment)) + "," + Field("t", JsonNumber(place.t));
}

// Our own messages hold no quote, backslash or control character.
std::string Text(const std::string& text) {
    return "\"" + text + "\"";
}

std::string WarningJson(const Warning& w) {
    std::string json = "{" + Field("kind", Text(KindName(w.kind))) + "," + PlaceFields(w.place);
    if (w.side != Side::None) {
        json += "," + Field("side", Text(w.side == Side::A ? "A" : "B"));
    }
    if (w.kind == WarningKind::Overlap) {
        json += "," + Field("otherSegment", std::to_string(w.other));
    }
    if (w.kind == WarningKind::ClosePoints) {
        json += "," + Field("nextPoint", std::to_string(w.other));
    }
    return json + "," + Field("value", JsonNumber(w.value)) + "," +
           Field("limit", JsonNumber(w.limit)) + "," +
           Field("message", Text(Message(w, Language::English))) + "," +
           Field("message_ja", Text(Message(w, Language::Japanese))) + "}";
}

bool ParseLimit(std::string_view text, double& limit) {
    return ParseNumber(text, limit) && limit >= 0.0;
}

} // namespace

std::string MeasurementsJson(const Measurements& m) {
    return "{" + Field("length", JsonNumber(m.length)) + "," +
           Field("lengthA", JsonNumber(m.lengthA)) + "," + Field("lengthB", JsonNumber(m.lengthB)) +
           "," + Field("segmentLengths", LengthsJson(m.segmentLengths)) + "," +
           Field("heightMin", m.height ? JsonNumber(m.height->min) : "null") + "," +
           Field("heightMax", m.height ? JsonNumber(m.height->max) : "null") + "," +
           Field("maxGradient", JsonNumber(m.maxGradient)) + "," +
           Field("minRadius", m.minRadius ? JsonNumber(*m.minRadius) : "null") + "," +
           Field("minRadiusAt", m.minRadius ? "{" + PlaceFields(m.minRadiusAt) + "}" : "null") +
           "," + Field("maxBank", JsonNumber(m.maxBank)) + "," +
           Field("widthA", RangeJson(m.widthA)) + "," + Field("widthB", RangeJson(m.widthB)) + "}";
}

std::string CheckJson(const Analysis& analysis) {
    std::string warnings = "[";
    for (const Warning& w : analysis.warnings) {
        warnings += (warnings.size() > 1 ? "," : "") + WarningJson(w);
    }
    return "{" + Field("measurements", MeasurementsJson(analysis.measurements)) + "," +
           Field("warnings", warnings + "]") + "}";
}

std::optional<Limits> ParseCheckLimits(int argc, char** argv, std::string& error) {
    Limits limits;
    for (int i = 0; i < argc; i += 2) {
        const std::string_view option = argv[i];
        double* limit = option == "--max-gradient" ? &limits.maxGradient
                        : option == "--max-bank"   ? &limits.maxBank
                                                   : nullptr;
        if (limit == nullptr) {
            error = "unknown option: " + std::string(option);
            return std::nullopt;
        }
        if (i + 1 >= argc || !ParseLimit(argv[i + 1], *limit)) {
            error = std::string(option) + " needs a number of at least 0";
            return std::nullopt;
        }
    }
    return limits;
}
