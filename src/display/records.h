// display/records: what the windows draw from, in three parts: from the settings, from the
// flight's reading, and the windows' own.
#pragma once

#include "flight/records.h"

#include <array>
#include <cstdint>
#include <string>

namespace kalveo {

/// A drawing colour: red, green, blue in 0..1.
using RgbF = std::array<float, 3>;
/// A colour as bytes: red, green, blue in 0..255.
using Rgb8 = std::array<std::uint8_t, 3>;

/// A window as the windowing layer sees it (pixels).
struct CpwWindowInfo {
    /// Window id of the windowing layer; -1 after destruction.
    int id = 0;
    int x = 0;          ///< Left edge on the screen.
    int y = 0;          ///< Top edge on the screen.
    int width = 0;      ///< Width.
    int height = 0;     ///< Height.
    int foreground = 0; ///< 1 in the foreground.
    int fullscreen = 0; ///< 1 full screen.
};

/// Points of the polar chart the display keeps (the flight side's points 1..200).
inline constexpr int kPolarPoints = 200;
/// Length of the speed trace of polar mode.
inline constexpr int kSpeedTrace = 201;

/// Whether the program is closing; the logs write it as its number.
enum class Closing : int {
    declined = -1, ///< the pilot declined to exit after the simulator stopped
    no = 0,
    yes = 1,
};

/// What the windows show as the settings (and the flight's simulator keys) ask: placement, fonts,
/// layout, field switches, colours, messages, key codes and the switches of the run.
struct DisplayLook {
    /// Text window position setting (pixels or position code).
    int DisWinX = 1000003;
    int DisWinY = 1000001;
    /// Horizon window position setting (pixels or position code).
    int HorWinX = 1000003;
    int HorWinY = 1000001;
    /// Font file name.
    std::string FontName = "arial.ttf";
    /// Text window font size (pixels).
    int FontSize = 24;
    /// Horizon font size (pixels); -1 fit to the window, 0 same as FontSize.
    int HorFontSize = 10;
    /// 1 one line; 0 one value per line.
    int HorizontalDisplay = 1;
    /// Number of values shown, lines and columns of the text window.
    int numval = 0;
    int numlin = 1;
    int numcol = 0;
    /// Margins (pixels); VertMargin follows the font size.
    int HoriMargin = 8;
    int VertMargin = 8;
    /// Text window opacity 0..255; 0 makes the background colour transparent.
    int TxtOpa = 255;
    /// Horizon window opacity 0..255.
    int HorOpac = 255;
    /// 1 when HorOpac < 255.
    int HorTranslu = 0;
    /// 1: the horizon's corner colour is made transparent.
    int HorBgdTransp = 0;
    /// Background colours of the text and horizon windows.
    Rgb8 TxtBgd{130, 180, 230};
    Rgb8 HorBgd{130, 180, 230};
    RgbF TxtBgd_f{};
    RgbF HorBgd_f{};
    int DisVNE = 1;    ///< VNE.
    int DisVA1 = 1;    ///< Alarm start speed VA1.
    int DisBal = 1;    ///< Water ballast: bit 0 the number, bit 1 the bar.
    int DisUni = 1;    ///< Unit name.
    int DisNet = 1;    ///< Netto vario.
    int DisNet_I = 1;  ///< Netto average.
    int DisInt_I = 1;  ///< Climb average (integrator).
    int DisTim = 1;    ///< Stopwatch.
    int DisTskTim = 1; ///< Task timer.
    int DisClk = 1;    ///< Simulator clock.
    int DisWalClk = 1; ///< Wall clock.
    int DisIAS = 1;    ///< Indicated airspeed.
    int DisTAS = 1;    ///< True airspeed.
    int DisGS = 1;     ///< Ground speed.
    int DisG = 1;      ///< Load factor: bit 0 the number, bit 1 the g-meter.
    int DisSli = 1;    ///< Slip: 0 off, 1 linear, 2 sine scale.
    int DisHDG = 3;    ///< Heading: bit 0 the number, bit 1 the symbol.
    int DisWND = 3;    ///< Wind: bit 0 a number, bit 1 the arrow, bit 2 the number is the speed.
    int DisFla = 1;    ///< Flaps: 1 simulator position with arrow, 2 advice colour.
    /// Total-energy vario in the column layout; only polar mode turns it on.
    int DisVar = 0;
    /// The ballast setting as given (negative: shown with empty tanks too); each flight
    /// decides DisBal from it.
    int BallastSetting = 0;
    int NorthUp = 1; ///< Heading symbol north up (1) or heading up (0).
    int ArrTyp = 1;  ///< 0 plain arrows, otherwise glider outline and double-triangle wind arrow.
    /// Decimals of the vario values, -4..4.
    int NumDig = 1;
    /// 0 no horizon, 1 horizon, 2 horizon centred.
    int DrawHorizon = 0;
    /// Standard horizon (fixed bank index).
    int StdHorizon = 0;
    /// Head-up speed: 0 none, 1 TAS, 2 ground speed.
    int HUD_Spd = 1;
    /// Polar measurement mode.
    int Polar = 0;
    RgbF ColTAS0{0.0F, 0.0F, 0.0F};   ///< True airspeed below VA1.
    RgbF ColTAS1{1.0F, 0.5F, 0.5F};   ///< True airspeed above VA1 (scaled by the excess).
    RgbF ColFlap0{0.0F, 0.5F, 0.0F};  ///< Flap advice.
    RgbF ColFlap1{};                  ///< Flap advice, blink partner.
    RgbF ColVA1{1.0F, 0.0F, 1.0F};    ///< Alarm start speed.
    RgbF ColVNE{0.0F, 0.0F, 1.0F};    ///< VNE.
    RgbF ColHDG{1.0F, 0.0F, 0.0F};    ///< Heading.
    RgbF ColWND{0.0F, 0.0F, 1.0F};    ///< Wind.
    RgbF ColGreen{0.0F, 1.0F, 0.0F};  ///< Green.
    RgbF ColDGreen{0.0F, 0.5F, 0.0F}; ///< Dark green.
    RgbF ColLGreen{0.5F, 1.0F, 0.0F}; ///< Light green.
    RgbF ColWB0{0.5F, 1.0F, 1.0F};    ///< Water ballast.
    RgbF ColWB1{};                    ///< Water ballast, blink partner.
    RgbF ColIAS{0.4F, 0.0F, 0.6F};    ///< Indicated airspeed.
    RgbF ColNet{0.3F, 0.3F, 0.3F};    ///< Netto vario.
    RgbF ColTim{0.5F, 0.4F, 0.3F};    ///< Stopwatch.
    RgbF ColInt0{0.4F, 0.2F, 0.0F};   ///< Climb average.
    RgbF ColInt1{0.8F, 0.4F, 0.0F};   ///< Climb average while running.
    RgbF ColAvN0{0.4F, 0.2F, 0.0F};   ///< Netto average after a reset.
    RgbF ColAvN1{0.8F, 0.4F, 0.0F};   ///< Netto average.
    RgbF ColSli{1.0F, 0.0F, 0.0F};    ///< Slip.
    RgbF ColG{};                      ///< Load factor.
    RgbF ColGS{};                     ///< Ground speed.
    RgbF ColTskTim{};                 ///< Task timer.
    RgbF ColClk{};                    ///< Clocks.
    RgbF ColBlack{0.0F, 0.0F, 0.0F};  ///< Black.
    RgbF ColSep{};                    ///< Separators.
    /// Bank angle above which flap advice does not blink (degrees).
    float FlapMxBank = 15.0F;
    std::string MsgExitCnf = "Do you really want to exit ?";
    std::string MsgCndrStp = "Condor has stopped\nDo you want to exit ?";
    std::string MsgKeyDefi = "Hit the desired key\nthenpaste the code in the .ini file";
    /// Seconds a flap change keeps blinking.
    int MaxBlink = 30;
    /// Seconds to wait before asking to exit; -1 exit without asking; below -1 never check.
    int StopWait = 0;
    /// 1: ask before exiting (StopWait >= 0).
    int ConfirmStop = 1;
    /// Minutes between automatic keyboard-hook restarts; 0 never.
    int KbdAutoRst = 0;
    /// 1: log every draw, tick and key.
    int Debug = 0;
    int KeyInc = 73;    ///< Raise the alarm margin; double press: alarm on.
    int KeyDec = 85;    ///< Lower the alarm margin; double press: alarm off.
    int KeyHor = 79;    ///< Cycle the horizon window.
    int KeySFl = 77;    ///< Flap sounds on/off.
    int KeyVUp = 56;    ///< Volume up.
    int KeyVDn = 55;    ///< Volume down.
    int KeyAvE = 57;    ///< Climb average; polar mode: record a point.
    int KeyTim = 48;    ///< Stopwatch.
    int KeyTskTim = 53; ///< Task timer.
    int KeyAvN = 54;    ///< Netto average.
    int KeyHUDS = 60;   ///< Head-up speed mode.
    /// Chat open, as a virtual key and as a scan code.
    int KeyChatO = 8;
    int ScnChatO = 14;
    /// Scan codes that close the chat.
    int Enter = 28;
    int NumPadEnter = 156;
    /// G-meter reset and bug wipe: the simulator's key numbers, negated to match as scan codes.
    int ScnGRst = 0;
    int ScnBugW = 0;
    /// Keyboard hook in use.
    int KbdHookEnabled = 1;
};

/// What the windows show of the flight: the values, texts, polar data and status the flight
/// cycle hands over.
struct DisplayReading {
    /// The glider has usable bug wipers: the insect reminder may show.
    int BugWipers = 0;
    /// True, indicated and ground speed.
    int tas = 90;
    int IAS = 90;
    int GS = 0;
    /// VNE and the width of the alarm band; the margin below VNE is the status's.
    int vne = 280;
    int dv2 = 20;
    /// The pilot's controls as the flight cycle reports them: alarm switch, margin, volume,
    /// flap sounds, run states of the averages and timers.
    InstrumentStatus status;
    /// Water ballast and its maximum (kg); height of the ballast bar (pixels).
    int wmass = 0;
    int wmass_max = 175;
    int ywb = 0;
    /// Bank, pitch (degrees), yaw-string angle, load factor (g), heading (degrees).
    float bank = 0.0F;
    float pitch = 0.0F;
    float slip = 0.0F;
    float gforce = 0.0F;
    float compass = 0.0F;
    /// Total-energy vario, netto vario, climb average and netto average (vario units).
    float evario = 0.0F;
    float nvario = 0.0F;
    float ivario_m = 0.0F;
    float nvario_m = 0.0F;
    /// Wind direction, wind relative to the heading (degrees) and wind speed.
    float WindDir = 0.0F;
    float RelWind = 180.0F;
    float WindSpeed = 0.0F;
    /// Thermal turns flown and the turns after which the insect reminder may show.
    float ThTurns = 0.0F;
    float MinThTurns = 0.0F;
    /// Speed change rate of polar mode.
    float V2Fly = 0.0F;
    /// Lowest and highest load factor since the last reset (g).
    float GMin = 1.0F;
    float GMax = 1.0F;
    /// 1 while a polar point is being recorded.
    int WaitForVelStabil = 0;
    /// Flap advice: 1 up, -1 down, 0 in place.
    int modflap = 0;
    /// Flap position shown and the longest position name (for the layout).
    std::string cflap = "XXX";
    std::string cflapmax = "XXX";
    /// Speed unit name.
    std::string cunit = "XXX";
    /// Stopwatch, task timer, simulator clock and wall clock texts.
    std::string buf_tim = "00:00:00";
    std::string buf_tsktim = "00:00:00";
    std::string buf_clk = "00:00:00";
    std::string buf_walclk = "W: 00:00:00";
    /// Water ballast and heading texts.
    std::string buf_b = "000";
    std::string buf_comp = "-000";
    /// Polar mode: the speed trace, and the polar points as (speed, sink) pairs in m/s; entry i
    /// holds the flight side's point i + 1.
    std::array<float, kSpeedTrace> vval{};
    std::array<std::array<float, 2>, kPolarPoints> vvpol{};
    /// Number of recorded polar points and index of the last reference point.
    int NbPol = 0;
    int NbFpl = 0;
    /// A reference polar is there to draw.
    int DrawPol = 0;
    /// Speed of minimum sink (m/s).
    float vmin = 0.0F;
    /// Status mark: 1 recording, 2 netto mode, 0 none.
    int Nrec = 0;
    /// 1 once a datagram has arrived.
    int GotTAS = 0;
    /// 1 once the flight's fixed values have arrived.
    int GotPlaneData = 0;
};

/// What is the windows' own: their places and sizes, the selected window, the tick count and
/// blink phase, the times kept, the closing state and the requests served by the tick.
/// Times are wall-clock seconds.
struct WindowsRun {
    /// Text window; default width 180, height 130.
    CpwWindowInfo DisWinInfo{0, 0, 0, 180, 130, 0, 0};
    /// Horizon window; width = height = the horizon size setting.
    CpwWindowInfo HorWinInfo{0, 1500, 930, 150, 150, 0, 0};
    /// Pixel position of the horizon window saved while it is parked or centred.
    int HorSveX = 0;
    int HorSveY = 0;
    /// Screen size (pixels).
    int ScreenWidth = 0;
    int ScreenHeight = 0;
    /// Window picked by a mouse click for moving with the arrow keys; 0 none.
    int SelectedWindow = 0;
    /// 1 while Shift is held: arrow keys move by 10 pixels instead of 1.
    int ShiftKeyDown = 0;
    /// Timer ticks (25 ms each) and the blink phase 0/1.
    int count = 0;
    int blink = 0;
    /// Start of the run and arrival of the last datagram.
    double StartTime = 0.0;
    double LastTimeWeReceivedData = 0.0;
    /// First time the simulator was found not running.
    double TimeCondorStopped = 0.0;
    /// Time of the last automatic hook restart.
    double KbdTime = 0.0;
    /// Time of the last volume change; DisVol is 1 while the volume is shown.
    double VolTime = 0.0;
    int DisVol = 0;
    /// Last bug wipe, start of the insect warning, last flap-advice change.
    double BW_Time = 0.0;
    double BW_WrnTime = 0.0;
    double LastFlapUpdate = 0.0;
    /// Whether the program is closing.
    Closing WeAreClosing = Closing::no;
    /// 1 when the settings editor asked for a restart.
    int Restart = 0;
    /// Set by the windows after their first layout pass.
    int TXT_Initialized = 0;
    int HOR_Initialized = 0;
    /// Request to cycle the horizon window, served by the timer.
    int MoveHorizon = 0;
    /// 1 while the simulator's chat line is open: hotkeys are suspended.
    int ChatActive = 0;
};

/// Everything the two windows draw from: the settings' part, the reading's part and their own.
/// The instrument's windows own one (InstrumentWindows::state).
struct DisplayStateRecord : DisplayLook, DisplayReading, WindowsRun {};

} // namespace kalveo
