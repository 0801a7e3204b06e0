#include "exchange/TorcsTrackFile.h"

#include "base/VectorMath.h"
#include "exchange/ExchangeFiles.h"
#include "exchange/TorcsParams.h"
#include "exchange/TorcsTrack.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace TorcsTrackFile {

namespace {

constexpr const char* RoadSurface = "asphalt2";

void WriteHeader(TorcsParams& p, const std::string& name) {
    p.Open("Header");
    p.Text("name", name);
    p.Text("category", "road");
    p.Number("version", 4);
    p.Text("author", "Velmora");
    p.Text("description", "A course designed with Velmora");
    p.Close();
    p.Open("Graphic");
    p.Text("3d description", name + ".ac");
    p.Open("Terrain Generation");
    p.Number("track step", 20, "m");
    p.Number("border margin", 50, "m");
    p.Number("border step", 30, "m");
    p.Number("border height", 15, "m");
    p.Text("surface", "grass");
    p.Close();
    p.Close();
}

// The main track's sides carry the road's surface and continue its banking, so the road
// is as wide as the course's on each side; a wall stands beyond them.
void WriteSide(TorcsParams& p, const char* side, const char* barrier) {
    p.Open(side);
    p.Number("width", 0, "m");
    p.Text("surface", RoadSurface);
    p.Text("banking type", "tangent");
    p.Close();
    p.Open(barrier);
    p.Text("style", "wall");
    p.Number("height", 1.0, "m");
    p.Number("width", 0.5, "m");
    p.Text("surface", "barrier");
    p.Close();
}

void WriteSegment(TorcsParams& p, int index, const TorcsTrack::Segment& s) {
    char name[16];
    (void)std::snprintf(name, sizeof(name), "s%05d", index);
    p.Open(name);
    if (s.turn == TorcsTrack::Turn::Straight) {
        p.Text("type", "str");
        p.Number("lg", s.length, "m");
    } else {
        p.Text("type", s.turn == TorcsTrack::Turn::Left ? "lft" : "rgt");
        p.Number("radius", s.radius, "m");
        p.Number("arc", s.arc * DegreesPerRadian, "deg");
    }
    p.Number("z start", s.zStart, "m");
    p.Number("z end", s.zEnd, "m");
    p.Number("banking start", s.bankStart * DegreesPerRadian, "deg");
    p.Number("banking end", s.bankEnd * DegreesPerRadian, "deg");
    p.Text("profil", "linear");
    p.Open("Left Side");
    p.Number("start width", s.leftStart, "m");
    p.Number("end width", s.leftEnd, "m");
    p.Close();
    p.Open("Right Side");
    p.Number("start width", s.rightStart, "m");
    p.Number("end width", s.rightEnd, "m");
    p.Close();
    p.Close();
}

std::string TrackText(const std::string& name, const TorcsTrack::Track& track) {
    TorcsParams p("<!DOCTYPE params SYSTEM \"../../../../src/libs/tgf/params.dtd\" [\n"
                  "<!ENTITY default-surfaces SYSTEM \"../../../data/tracks/surfaces.xml\">\n"
                  "]>\n",
                  name);
    p.Open("Surfaces");
    p.Line("&default-surfaces;");
    p.Close();
    WriteHeader(p, name);
    p.Open("Main Track");
    p.Number("width", track.width, "m");
    p.Text("surface", RoadSurface);
    p.Number("profil steps length", 4, "m");
    WriteSide(p, "Left Side", "Left Barrier");
    WriteSide(p, "Right Side", "Right Barrier");
    p.Open("Track Segments");
    for (size_t i = 0; i < track.segments.size(); ++i) {
        WriteSegment(p, static_cast<int>(i), track.segments[i]);
    }
    p.Close();
    p.Close();
    return p.Finish();
}

} // namespace

std::string NameOf(const std::string& folder) {
    std::filesystem::path path(folder);
    while (!path.has_filename() && path.has_parent_path() && path != path.parent_path()) {
        path = path.parent_path();
    }
    return path.filename().string();
}

int Write(const std::string& folder, double scale, std::string& failure) {
    const std::string name = NameOf(folder);
    if (name.empty() || name == "." || name == "..") {
        failure = folder + ": the track folder needs a name of its own";
        return 1;
    }
    const std::optional<TorcsTrack::Track> track = TorcsTrack::Build(scale, failure);
    if (!track) {
        return 1;
    }
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        failure = folder + ": cannot make the folder (" + error.message() + ")";
        return 1;
    }
    const std::string text = TrackText(name, *track);
    const std::string path = (std::filesystem::path(folder) / (name + ".xml")).string();
    return ExchangeFiles::WriteFile(path, text.data(), text.size(), failure) ? 0 : 1;
}

} // namespace TorcsTrackFile
