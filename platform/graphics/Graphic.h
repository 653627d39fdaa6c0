#pragma once

#include "platform/base/Events.h"
#include "platform/base/Object.h"

#include <cstdint>
#include <vector>

class TCanvas;

using TBytes = std::vector<std::uint8_t>;

// A picture that a canvas can draw: a bitmap or a JPEG image.
class TGraphic : public TPersistent {
public:
    AnsiString ClassName() const override { return "TGraphic"; }

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual void SetWidth(int Value) = 0;
    virtual void SetHeight(int Value) = 0;

    // When true, drawing leaves out the graphic's transparent colour.
    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    const TNotifyEvent& OnChange() const { return FOnChange; }
    void SetOnChange(TNotifyEvent Value) { FOnChange = std::move(Value); }

    // Reads the whole file; fails with "ファイル %s は開けません" when it cannot be read
    // (a folder, a device or a FIFO included) and with the format's own error when the
    // data is not valid. On failure the graphic is unchanged.
    virtual void LoadFromFile(const AnsiString& FileName);
    // Writes into a temporary file beside the target and renames it over the target once the
    // whole stream is written and flushed; fails with "ファイル %s を作成できません" and
    // leaves an existing target untouched. A replaced file keeps its permissions; a symbolic
    // link is written through to the file it names.
    virtual void SaveToFile(const AnsiString& FileName);

    virtual void LoadFromBytes(const TBytes& Data) = 0;
    virtual TBytes SaveToBytes() = 0;

    // Draws the graphic scaled into Rect of the canvas (nearest neighbour, no blending).
    virtual void Draw(TCanvas* ACanvas, const TRect& Rect) = 0;

protected:
    virtual void Changed(TObject* Sender);
    // Sets the flag without a notification, for an Assign that notifies once for all it copies.
    void StoreTransparent(bool Value) { FTransparent = Value; }

private:
    bool FTransparent = false;
    TNotifyEvent FOnChange;
};
