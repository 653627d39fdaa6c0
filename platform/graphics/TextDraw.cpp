#include "platform/graphics/TextDraw.h"

#include "platform/base/MultiByte.h"
#include "platform/graphics/Font.h"
#include "platform/graphics/TextEngine.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

// Text is always drawn transparent: the cell behind DrawText's text is never painted (the
// callers set a clear brush for it anyway).

namespace {

const std::string_view Ellipsis = "...";

// One line as drawn: its text after prefix processing, and the byte offset of the character
// that the "&" prefix underlines (npos for none).
struct TLine {
    std::string Text;
    std::size_t Prefix = std::string::npos;
};

// The text's own lines; a line break ends a line, so a final one opens no empty line.
std::vector<std::string_view> SplitLines(std::string_view Text, bool SingleLine) {
    std::vector<std::string_view> lines;
    if (SingleLine) {
        lines.push_back(Text);
        return lines;
    }
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < Text.size()) {
        if (Text[i] == '\r' || Text[i] == '\n') {
            lines.push_back(Text.substr(start, i - start));
            i += Text[i] == '\r' && i + 1 < Text.size() && Text[i + 1] == '\n' ? 2 : 1;
            start = i;
        } else {
            ++i;
        }
    }
    if (start < Text.size() || lines.empty())
        lines.push_back(Text.substr(start));
    return lines;
}

// "&x" shows x underlined, "&&" one "&"; a final "&" shows nothing. The last prefixed
// character of a line is the underlined one. A single line drops its line-break bytes.
TLine ProcessPrefix(std::string_view Text, bool Prefix) {
    TLine line;
    for (std::size_t i = 0; i < Text.size(); ++i) {
        char c = Text[i];
        if (c == '\r' || c == '\n')
            continue;
        if (Prefix && c == '&') {
            if (i + 1 >= Text.size())
                break;
            if (Text[i + 1] != '&')
                line.Prefix = line.Text.size();
            ++i;
            c = Text[i];
            if (c == '\r' || c == '\n')
                continue;
        }
        line.Text += c;
    }
    return line;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

struct TLayout {
    TTextFace& Face;
    int TabWidth;

    int Width(std::string_view Text) const { return RunWidth(Face, Text, TabWidth); }
};

// Splits a line at blanks so each piece fits in Width; a word longer than the line breaks
// between two characters. The blanks at a break are dropped.
void WrapLine(const TLayout& Layout, TLine Line, int Width, std::vector<TLine>& Out) {
    std::string_view text = Line.Text;
    std::size_t start = 0;
    bool first = true;
    while (first || start < text.size()) {
        first = false;
        if (Layout.Width(text.substr(start)) <= Width) {
            TLine piece{std::string(text.substr(start)), std::string::npos};
            if (Line.Prefix != std::string::npos && Line.Prefix >= start)
                piece.Prefix = Line.Prefix - start;
            Out.push_back(std::move(piece));
            return;
        }
        // The longest run of whole characters from start that fits, and the last blank in it.
        std::size_t fit = start;
        std::size_t blank = std::string::npos;
        ForEachChar(text.substr(start), [&](std::size_t Offset, std::size_t Length, char32_t) {
            std::size_t end = start + Offset + Length;
            if (fit != start + Offset)
                return; // already overflowed
            if (IsBlank(text[start + Offset]) && start + Offset > start)
                blank = start + Offset;
            if (Layout.Width(text.substr(start, end - start)) <= Width)
                fit = end;
        });
        std::size_t end;
        std::size_t next;
        if (fit < text.size() && IsBlank(text[fit])) {
            end = fit;
            next = fit;
        } else if (blank != std::string::npos) {
            end = blank;
            next = blank;
        } else {
            // A word longer than the line; a character wider than the line stands alone.
            end = fit > start ? fit : NextCharOffset(text.data(), text.size(), start);
            next = end;
        }
        while (end > start && IsBlank(text[end - 1]))
            --end;
        while (next < text.size() && IsBlank(text[next]))
            ++next;
        TLine piece{std::string(text.substr(start, end - start)), std::string::npos};
        if (Line.Prefix != std::string::npos && Line.Prefix >= start && Line.Prefix < end)
            piece.Prefix = Line.Prefix - start;
        Out.push_back(std::move(piece));
        start = next;
    }
}

// The longest head of Text, in whole characters, whose width with Suffix fits in Width.
std::size_t FittingHead(const TLayout& Layout, std::string_view Text, std::string_view Suffix,
                        int Width) {
    std::size_t fit = 0;
    ForEachChar(Text, [&](std::size_t Offset, std::size_t Length, char32_t) {
        if (fit != Offset)
            return;
        std::string candidate(Text.substr(0, Offset + Length));
        candidate += Suffix;
        if (Layout.Width(candidate) <= Width)
            fit = Offset + Length;
    });
    return fit;
}

void EndEllipsis(const TLayout& Layout, TLine& Line, int Width) {
    std::size_t head = FittingHead(Layout, Line.Text, Ellipsis, Width);
    Line.Text = Line.Text.substr(0, head) + std::string(Ellipsis);
    if (Line.Prefix != std::string::npos && Line.Prefix >= head)
        Line.Prefix = std::string::npos;
}

// Shortens a line that does not fit: "..." replaces its end, or, for a path, the part
// before its last "/"-component. A last component too long by itself loses its end too.
void ApplyEllipsis(const TLayout& Layout, TLine& Line, int Width, bool Path) {
    if (Layout.Width(Line.Text) <= Width)
        return;
    std::size_t slash = Path ? Line.Text.rfind('/') : std::string::npos;
    if (slash == std::string::npos) {
        EndEllipsis(Layout, Line, Width);
        return;
    }
    std::string tail = std::string(Ellipsis) + Line.Text.substr(slash);
    std::size_t head =
        FittingHead(Layout, std::string_view(Line.Text).substr(0, slash), tail, Width);
    std::size_t prefix = Line.Prefix;
    if (prefix != std::string::npos && prefix >= head)
        prefix = prefix >= slash ? prefix - slash + head + Ellipsis.size() : std::string::npos;
    Line.Text = Line.Text.substr(0, head) + tail;
    Line.Prefix = prefix;
    if (Layout.Width(Line.Text) > Width)
        EndEllipsis(Layout, Line, Width);
}

TTextTarget TargetOf(HDC DC) {
    TTextTarget target;
    target.Bitmap = DC->Target();
    target.Origin = DC->Origin();
    target.Clip = DC->ClipRect();
    OffsetRect(target.Clip, target.Origin.X, target.Origin.Y);
    return target;
}

} // namespace

int DrawTextEx(HDC DC, const char* Text, int Length, TRect* Rect, unsigned Format,
               DRAWTEXTPARAMS* Params) {
    if (DC == nullptr || Rect == nullptr)
        return 0;
    std::string_view text;
    if (Text != nullptr)
        text = Length < 0 ? std::string_view(Text) : std::string_view(Text, Length);

    int tabLength = Params != nullptr ? Params->iTabLength : 8;
    if ((Format & DT_TABSTOP) != 0) {
        // The tab length rides in the second byte, which then holds no flags.
        tabLength = static_cast<int>((Format >> 8) & 0xFF);
        Format &= ~0xFF00u;
    }
    int leftMargin = Params != nullptr ? Params->iLeftMargin : 0;
    int rightMargin = Params != nullptr ? Params->iRightMargin : 0;

    TFont& font = *DC->Font();
    TTextFace& face = FaceForFont(font);
    int tabWidth = (Format & DT_EXPANDTABS) != 0 ? std::max(0, tabLength) * face.AveCharWidth() : 0;
    TLayout layout{face, tabWidth};
    int lineHeight =
        face.Height() + ((Format & DT_EXTERNALLEADING) != 0 ? face.ExternalLeading() : 0);

    bool singleLine = (Format & DT_SINGLELINE) != 0;
    bool prefix = (Format & DT_NOPREFIX) == 0;
    int width = Rect->Width() - leftMargin - rightMargin;

    std::vector<TLine> lines;
    for (std::string_view source : SplitLines(text, singleLine)) {
        TLine line = ProcessPrefix(source, prefix);
        if ((Format & DT_WORDBREAK) != 0 && !singleLine)
            WrapLine(layout, std::move(line), width, lines);
        else
            lines.push_back(std::move(line));
    }
    if ((Format & (DT_END_ELLIPSIS | DT_PATH_ELLIPSIS)) != 0)
        for (TLine& line : lines)
            ApplyEllipsis(layout, line, width, (Format & DT_PATH_ELLIPSIS) != 0);

    int height = static_cast<int>(lines.size()) * lineHeight;
    if (Params != nullptr)
        Params->uiLengthDrawn = static_cast<unsigned>(text.size());

    if ((Format & DT_CALCRECT) != 0) {
        int widest = 0;
        for (const TLine& line : lines)
            widest = std::max(widest, layout.Width(line.Text));
        Rect->Right = Rect->Left + leftMargin + widest + rightMargin;
        Rect->Bottom = Rect->Top + height;
        return height;
    }

    int top = Rect->Top;
    if (singleLine && (Format & DT_VCENTER) != 0)
        top = Rect->Top + (Rect->Height() - lineHeight) / 2;
    else if (singleLine && (Format & DT_BOTTOM) != 0)
        top = Rect->Bottom - lineHeight;

    TTextTarget target = TargetOf(DC);
    if ((Format & DT_NOCLIP) == 0) {
        TRect clip = *Rect;
        OffsetRect(clip, target.Origin.X, target.Origin.Y);
        target.Clip = IntersectRect(target.Clip, clip);
    }
    TColor rgb = ColorToRGB(font.Color()) & 0xFFFFFF;
    bool mono = MonoQuality(font);
    bool drawText = (Format & DT_PREFIXONLY) == 0;
    bool drawPrefix = (Format & DT_HIDEPREFIX) == 0;

    int y = top;
    for (const TLine& line : lines) {
        int lineWidth = layout.Width(line.Text);
        int x = Rect->Left + leftMargin;
        if ((Format & DT_CENTER) != 0)
            x += (width - lineWidth) / 2;
        else if ((Format & DT_RIGHT) != 0)
            x += width - lineWidth;
        if (drawText)
            DrawRun(target, face, x, y, line.Text, tabWidth, rgb, mono, font.Style());
        if (drawPrefix && line.Prefix != std::string::npos && line.Prefix < line.Text.size()) {
            std::string_view head = std::string_view(line.Text).substr(0, line.Prefix);
            std::size_t length = 0;
            char32_t code = DecodeUtf8(line.Text, line.Prefix, length);
            int start = layout.Width(head);
            int advance =
                code == '\t'
                    ? layout.Width(std::string_view(line.Text).substr(0, line.Prefix + length)) -
                          start
                    : face.Advance(code);
            DrawUnderline(target, face, x + start, y, advance, rgb);
        }
        y += lineHeight;
    }
    if (drawText || drawPrefix)
        DC->Changed();
    if (singleLine && (Format & (DT_VCENTER | DT_BOTTOM)) != 0)
        return top + lineHeight - Rect->Top;
    return height;
}

int DrawText(HDC DC, const char* Text, int Length, TRect* Rect, unsigned Format) {
    return DrawTextEx(DC, Text, Length, Rect, Format, nullptr);
}

bool GetTextMetrics(HDC DC, TEXTMETRIC* Metrics) {
    if (DC == nullptr || Metrics == nullptr)
        return false;
    TTextFace& face = FaceForFont(*DC->Font());
    Metrics->tmHeight = face.Height();
    Metrics->tmAscent = face.Ascent();
    Metrics->tmDescent = face.Descent();
    Metrics->tmInternalLeading = face.Height() - face.EmPixels();
    Metrics->tmExternalLeading = face.ExternalLeading();
    Metrics->tmAveCharWidth = face.AveCharWidth();
    Metrics->tmMaxCharWidth = face.MaxCharWidth();
    Metrics->tmWeight = face.Weight();
    // Synthetic bold is part of every advance, so nothing hangs over.
    Metrics->tmOverhang = 0;
    return true;
}

TPoint GetTextExtent(HDC DC, const char* Text, int Length) {
    TTextFace& face = FaceForFont(*DC->Font());
    std::string_view text;
    if (Text != nullptr)
        text = Length < 0 ? std::string_view(Text) : std::string_view(Text, Length);
    return {RunWidth(face, text), face.Height()};
}
