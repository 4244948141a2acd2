// Every tool-bar button has its drawing in data/icons, and every drawing is
// well-formed SVG on the 24 x 24 grid, drawn with shapes only: an embedded
// bitmap or a font the desktop may lack would not look the same everywhere.
#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "frame/tool_bars.h"

namespace qz {
namespace {

struct Element {
    std::string name;
    std::map<std::string, std::string> attributes;
};

// The elements of an XML document in order, or an empty list when it is not
// well-formed: crossed or unclosed tags, unquoted or repeated attributes,
// text outside the one root. Enough XML for drawings, not a general parser.
std::vector<Element> ParseXml(const std::string& text) {
    std::vector<Element> elements;
    std::vector<std::string> open;
    bool rootClosed = false;
    size_t pos = 0;
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    const auto nameEnd = [&](size_t p) {
        while (p < text.size() && !blank(text[p]) && text[p] != '/' && text[p] != '>' && text[p] != '=') ++p;
        return p;
    };
    while (true) {
        const size_t lt = text.find('<', pos);
        if (open.empty())
            for (size_t p = pos; p < std::min(lt, text.size()); ++p)
                if (!blank(text[p])) return {};
        if (lt == std::string::npos) break;
        if (text.compare(lt, 4, "<!--") == 0 || text.compare(lt, 2, "<?") == 0) {
            const bool comment = text[lt + 1] == '!';
            const size_t end = text.find(comment ? "-->" : "?>", lt + 2);
            if (end == std::string::npos) return {};
            pos = end + (comment ? 3 : 2);
            continue;
        }
        if (text.compare(lt, 2, "</") == 0) {
            const size_t end = nameEnd(lt + 2);
            if (open.empty() || text.substr(lt + 2, end - lt - 2) != open.back() || text[end] != '>') return {};
            open.pop_back();
            rootClosed = open.empty();
            pos = end + 1;
            continue;
        }
        if (rootClosed) return {};
        Element e;
        size_t p = nameEnd(lt + 1);
        e.name = text.substr(lt + 1, p - lt - 1);
        if (e.name.empty()) return {};
        while (true) {
            while (p < text.size() && blank(text[p])) ++p;
            if (p >= text.size()) return {};
            if (text.compare(p, 2, "/>") == 0) {
                pos = p + 2;
                rootClosed = open.empty();
                break;
            }
            if (text[p] == '>') {
                open.push_back(e.name);
                pos = p + 1;
                break;
            }
            const size_t end = nameEnd(p);
            const std::string key = text.substr(p, end - p);
            if (key.empty() || text[end] != '=' || (text[end + 1] != '"' && text[end + 1] != '\'')) return {};
            const size_t close = text.find(text[end + 1], end + 2);
            if (close == std::string::npos || !e.attributes.emplace(key, text.substr(end + 2, close - end - 2)).second)
                return {};
            p = close + 1;
        }
        elements.push_back(std::move(e));
    }
    if (!open.empty() || !rootClosed) return {};
    return elements;
}

std::string ReadIcon(const std::string& name) {
    std::ifstream in(std::string(QZ_SOURCE_DATA_DIR) + "/icons/" + name + ".svg", std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(Icons, TheCheckRefusesBrokenDrawings) {
    for (const char* broken : {R"(<svg><path d="M0 0"></svg>)", "<svg><g></svg></g>", "<svg a=1/>",
                               R"(<svg a="1" a="2"/>)", "<svg/><svg/>", "<svg/>x", "<svg><!-- </svg>", "<svg>"})
        EXPECT_TRUE(ParseXml(broken).empty()) << broken;
    const std::vector<Element> ok = ParseXml("<?xml version=\"1.0\"?>\n<!-- a -->\n<svg v='1'><g><path/></g></svg>\n");
    ASSERT_EQ(ok.size(), 3u);
    EXPECT_EQ(ok[0].attributes.at("v"), "1");
}

// One drawing; its own function so that a broken file stops only its checks.
void CheckIcon(const std::string& name) {
    SCOPED_TRACE(name + ".svg");
    const std::string text = ReadIcon(name);
    ASSERT_FALSE(text.empty());
    std::vector<Element> elements = ParseXml(text);
    ASSERT_FALSE(elements.empty()) << "not well-formed";
    EXPECT_EQ(elements[0].name, "svg");
    EXPECT_EQ(elements[0].attributes["viewBox"], "0 0 24 24");
    EXPECT_EQ(elements[0].attributes["xmlns"], "http://www.w3.org/2000/svg");
    for (const Element& e : elements) {
        EXPECT_TRUE(e.name != "image" && e.name != "text" && e.name != "font") << e.name;
        for (const auto& [key, value] : e.attributes) EXPECT_EQ(value.find("data:"), std::string::npos) << key;
    }
}

TEST(Icons, EveryToolBarButtonAndTheProgramHaveAWellFormedDrawing) {
    std::set<std::string> names = {"qzed32"};
    for (const ToolBarDef& bar : ToolBars())
        for (int id : bar.buttons)
            if (id != 0) names.insert(std::to_string(id));
    for (const std::string& name : names) CheckIcon(name);
}

}  // namespace
}  // namespace qz
