// The filter's output as the browser's tree builder reads it: well formed, with nothing the
// builder would close, add or move by itself, within its limits, and without the names and
// styles that would let network HTML stand in for the page's own elements.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "webfilter/html_sanitizer.h"

namespace {

struct Case {
    const char* html;
    const char* kept;
};

// The start tags of html (its elements) and how deep they nest; -1 for either when an end tag
// does not close the element opened last or an element is left open.
struct Shape {
    int elements = 0;
    int depth = 0;
};
Shape ShapeOf(const std::string& html) {
    static const std::vector<std::string> kVoid = {"br", "col", "hr", "img", "input", "wbr"};
    Shape shape;
    std::vector<std::string> open;
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        const bool end = html[at + 1] == '/';
        const std::size_t name = at + (end ? 2 : 1);
        const std::string tag = html.substr(name, html.find_first_of(" >", name) - name);
        if (end) {
            if (open.empty() || open.back() != tag) return {-1, -1};
            open.pop_back();
            continue;
        }
        ++shape.elements;
        if (std::find(kVoid.begin(), kVoid.end(), tag) == kVoid.end()) open.push_back(tag);
        shape.depth = std::max(shape.depth, static_cast<int>(open.size()));
    }
    return open.empty() ? shape : Shape{-1, -1};
}

std::string Repeat(const std::string& text, int times) {
    std::string repeated;
    for (int i = 0; i < times; ++i) repeated += text;
    return repeated;
}

TEST(HtmlSanitizerShapeTest, RoutingNamesAndStylesThatLeaveTheFlowGo) {
    const Case cases[] = {
        // A hidden button that takes the search box's name, a transparent cover over the window.
        {"<input type=button id=TxtBoxFind name=TxtBoxFind value=zzqqxx style=\"display:none\">",
         "<input type=\"button\" value=\"zzqqxx\" style=\"display:none\">"},
        {"<div id=BUTTON_CLOSE class=c style=\"position:fixed;top:0;left:0;width:100%;"
         "height:100%;z-index:9;opacity:0.01\">x</div>",
         "<div style=\"width:100%;height:100%\">x</div>"},
        {"<a for=x form=f href=http://h/>l</a>", "<a href=\"http://h/\">l</a>"},
        {"<p style=\"transform:scale(9);margin:0 -4px;text-indent:-.5em;color:red\">p</p>",
         "<p style=\"color:red\">p</p>"},
        // Sizes no larger than the results cell, 267 by 309 pixels.
        {"<img width=268 height=310 src=http://h/a.gif><img width=267 height=309>",
         "<img src=\"http://h/a.gif\"><img width=\"267\" height=\"309\">"},
        {"<table width=\"50%\" height=\" 20px\"><tr><td width=120% height=x>c</td></tr></table>",
         "<table width=\"50%\" height=\"20\"><tbody><tr><td>c</td></tr></tbody></table>"},
        {"<div style=\"width:268px;height:2em;min-width:100vw;display:flex;float:left;"
         "font:12px/0 serif;font-size:12px;WIDTH:267PX\">d</div>",
         "<div style=\"float:left;font-size:12px;width:267PX\">d</div>"},
        {"<span style=\"top:0;clip-path:inset(0);background:url(http://h/a.gif);"
         "margin-top:calc(0px - 9px)\">s</span>",
         "<span style=\"background:url(http://h/a.gif)\">s</span>"},
        // References are read before the declarations are judged; the written style holds none.
        {"<b style=\"color&#58;red;&#112;osition:fixed\">b</b>", "<b style=\"color:red\">b</b>"},
        {"<b style='font-family:\"SimSun\";color:red'>b</b>",
         "<b style=\"font-family:&quot;SimSun&quot;;color:red\">b</b>"},
        // Whole styles go for what could hide a declaration.
        {"<b style=\"color:red;font-family:&nbsp;\">1</b><b "
         "style='font-family:\"a;position:fixed\"'>"
         "2</b><b style=\"background:url(http://h/a.gif\">3</b><b style=\"color:red/**/\">4</b>",
         "<b>1</b><b>2</b><b>3</b><b>4</b>"},
    };
    for (const Case& c : cases) EXPECT_EQ(SanitizeHtml(c.html), c.kept) << c.html;
}

TEST(HtmlSanitizerShapeTest, ElementsAreClosedWhereTheBrowserWouldCloseThem) {
    const Case cases[] = {
        // Text-level elements close before a block and open again inside it.
        {"<b>x<p>y</b>z</p>", "<b>x</b><p><b>y</b>z</p>"},
        {"<div><b>x</div>y</b>", "<div><b>x</b></div>y"},
        {"<font color=red><ul><li>a<li>b</ul></font>",
         "<font color=\"red\"></font><ul><li><font color=\"red\">a</font></li>"
         "<li><font color=\"red\">b</font></li></ul>"},
        // Paragraphs, items, headings, links and buttons end where the browser ends them.
        {"<p>a<div>b</div><p>c<table></table>", "<p>a</p><div>b</div><p>c</p><table></table>"},
        {"<ul><li>a<li>b<ul><li>c</ul></ul>", "<ul><li>a</li><li>b<ul><li>c</li></ul></li></ul>"},
        {"<li><div><li>x", "<li><div></div></li><li>x</li>"},
        {"<dl><dt>a<dd>b<dt>c</dl>", "<dl><dt>a</dt><dd>b</dd><dt>c</dt></dl>"},
        {"<h1>a<h2>b</h1>c", "<h1>a</h1><h2>b</h2>c"},
        {"<a href=http://a/>1<b><a href=http://b/>2",
         "<a href=\"http://a/\">1<b></b></a><a href=\"http://b/\">2</a>"},
        {"<button>a<button>b", "<button>a</button><button>b</button>"},
        // Tables get the parts the browser would add, and keep only table parts inside them.
        {"<table><tr><td>a<td>b</table>",
         "<table><tbody><tr><td>a</td><td>b</td></tr></tbody></table>"},
        {"<table><col><caption>c<b>x</b><td>y</td><p>z<tr><th>w</table>",
         "<table><colgroup><col></colgroup><caption>c<b>x</b></caption><tbody><tr><td>y</td>z"
         "</tr><tr><th>w</th></tr></tbody></table>"},
        {"<table><tr><td><table><td>in</table>out</td></tr></table>",
         "<table><tbody><tr><td><table><tbody><tr><td>in</td></tr></tbody></table>out</td></tr>"
         "</tbody></table>"},
        // Parts of no table, and end tags of nothing open, are nothing.
        {"<td>x</td><tr>y</tr><caption>z", "xyz"},
        {"</p></br></li></table>text</b>", "text"},
    };
    for (const Case& c : cases) {
        const std::string kept = SanitizeHtml(c.html);
        EXPECT_EQ(kept, c.kept) << c.html;
        EXPECT_NE(ShapeOf(kept).elements, -1) << kept;
    }
}

TEST(HtmlSanitizerShapeTest, ElementsNestAtMost64DeepAndAtMost4096AreWritten) {
    // Past the depth, start tags go and their text stays; the end tags close what is open.
    const std::string deep = SanitizeHtml(Repeat("<div>", 100) + "x" + Repeat("</div>", 100));
    EXPECT_EQ(deep, Repeat("<div>", 64) + "x" + Repeat("</div>", 64));
    const std::string lines = SanitizeHtml(Repeat("<br>", 5000) + "x");
    EXPECT_EQ(lines, Repeat("<br>", 4096) + "x");

    // A notice of 1,200 bold elements left open before 1,200 list items: each item opens the
    // bold elements again, as the browser would, until the limits stop it.
    std::string blowUp = "<ul><li>";
    for (int n = 1; n <= 1200; ++n) blowUp += "<b title=" + std::to_string(n) + ">";
    blowUp += Repeat("<li>x", 1200);
    const std::string kept = SanitizeHtml(blowUp);
    const Shape shape = ShapeOf(kept);
    EXPECT_EQ(shape.elements, 4096);
    EXPECT_EQ(shape.depth, 64);
    EXPECT_EQ(SanitizeHtml(kept), kept);
}

}  // namespace
