#include "views/ViewLayout.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>
#include <vector>

namespace {

using Calls = std::vector<std::string>;
Calls calls;

constexpr const char* Names[ViewCount] = {"top",  "side",  "front", "point",
                                          "xtop", "xside", "persp"};

template <ViewId Id> ViewOps Recorder() {
    return {[](int x, int y, int w, int h) {
                calls.push_back(std::string(Names[Id]) + " place " + std::to_string(x) + "," +
                                std::to_string(y) + "," + std::to_string(w) + "," +
                                std::to_string(h));
            },
            [] { calls.push_back(std::string(Names[Id]) + " show"); },
            [] { calls.push_back(std::string(Names[Id]) + " hide"); },
            [] { calls.push_back(std::string(Names[Id]) + " refresh"); }};
}

template <int... Id> void RegisterRecorders(std::integer_sequence<int, Id...>) {
    (ViewLayout::RegisterView(ViewId(Id), Recorder<ViewId(Id)>()), ...);
}

Calls Only(const std::string& what) {
    Calls found;
    for (const std::string& call : calls) {
        if (call.find(what) != std::string::npos) {
            found.push_back(call);
        }
    }
    return found;
}

class ViewLayoutTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterRecorders(std::make_integer_sequence<int, ViewCount>());
        calls.clear();
    }
    void TearDown() override { ViewLayout::ClearViews(); }
};

// Each view button's places; every view not placed is hidden, and a refresh reaches the placed
// views in view order.
TEST_F(ViewLayoutTest, EveryViewButtonHasItsLayout) {
    const struct {
        int button, width, height;
        std::string places;
    } rows[] = {
        {113, 591, 400,
         "top place 91,0,250,200; side place 341,0,250,200; front place 91,200,250,200; "
         "point place 341,200,250,200"},
        {107, 591, 400, "top place 91,0,500,400"},
        {108, 591, 400, "side place 91,0,500,400"},
        {109, 591, 400, "front place 91,0,500,400"},
        {111, 591, 400, "xtop place 91,0,500,400"},
        {112, 591, 400, "xside place 91,0,500,400"},
        {115, 591, 400,
         "top place 91,0,250,200; xtop place 341,0,250,400; persp place 91,200,250,200"},
        {116, 591, 400,
         "top place 91,0,250,200; point place 91,200,250,200; persp place 341,0,250,200"},
        // Odd sizes leave the last row and the top half's last column uncovered.
        {114, 592, 401,
         "top place 91,0,250,200; xside place 91,200,501,200; persp place 341,0,250,200"},
        // No room right of the panel; halves without height, the right half one row.
        {113, 91, 400, ""},
        {113, 50, 400, ""},
        {115, 300, 1, "xtop place 195,0,104,1"},
    };
    for (const auto& r : rows) {
        calls.clear();
        ViewLayout::ApplyLayout(r.button, r.width, r.height);
        const Calls places = Only("place");
        std::string joined;
        for (const std::string& place : places) {
            joined += (joined.empty() ? "" : "; ") + place;
        }
        EXPECT_EQ(joined, r.places) << r.button << " " << r.width << "x" << r.height;
        EXPECT_EQ(Only("show").size(), places.size()) << r.button;
        EXPECT_EQ(Only("hide").size(), size_t{ViewCount} - places.size()) << r.button;
        Calls refreshes;
        for (const std::string& place : places) {
            refreshes.push_back(place.substr(0, place.find(' ')) + " refresh");
        }
        calls.clear();
        ViewLayout::RefreshShownViews(r.button);
        EXPECT_EQ(calls, refreshes) << r.button;
    }
    ViewLayout::RegisterView(SideView, {}); // not landed yet: nothing to call
    ViewLayout::ApplyLayout(113, 591, 400);
    ViewLayout::RefreshShownViews(113);
}

} // namespace
