#include "color/Notation.h"

#include "color/CssColor.h"
#include "color/User.h"

namespace tinsora {

std::string FormatColorText(int type, int red, int green, int blue, bool sharp) {
    std::string text;
    text.reserve(16);
    switch (type) {
    case ctHex:
        if (sharp)
            text += '#';
        AppendChannelHex(text, red);
        AppendChannelHex(text, green);
        AppendChannelHex(text, blue);
        break;
    case ctRGB:
        text += "RGB(";
        text += ChannelToDecimal(red);
        text += ',';
        text += ChannelToDecimal(green);
        text += ',';
        text += ChannelToDecimal(blue);
        text += ')';
        break;
    case ctVB:
    case ctCB:
        // Both are the packed value 0x00BBGGRR as a literal of the language.
        text += type == ctVB ? "&H00" : "0x00";
        AppendChannelHex(text, blue);
        AppendChannelHex(text, green);
        AppendChannelHex(text, red);
        if (type == ctVB)
            text += '&';
        break;
    case ctCssRgb:
        text = CssRgbText(ColorRGB{red, green, blue});
        break;
    case ctCssHsl:
        text = CssHslText(ColorRGB{red, green, blue});
        break;
    default:
        break;
    }
    return text;
}

std::string CaptionText(int type, int red, int green, int blue, bool sharp) {
    const char* prefix = nullptr;
    switch (type) {
    case ctHex:
        prefix = "ティンソラ [16進数 : ";
        break;
    case ctRGB:
        prefix = "ティンソラ [";
        break;
    case ctVB:
        prefix = "ティンソラ [VisualBasic : ";
        break;
    case ctCB:
        prefix = "ティンソラ [C++Builder,Delphi : ";
        break;
    case ctCssRgb:
    case ctCssHsl:
        prefix = "ティンソラ [CSS : ";
        break;
    default:
        return {};
    }
    return prefix + FormatColorText(type, red, green, blue, sharp) + "]";
}

} // namespace tinsora
