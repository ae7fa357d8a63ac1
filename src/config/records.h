// config/records: the settings in force, the simulator's pilot options and the message catalogue.
#pragma once

#include <string>

namespace kalveo {

// Window positions are pixels or the codes 1000001 start (left/top),
// 1000002 centre, 1000003 end (right/bottom), 1000004 a quarter down.
// Colours are 24-bit integers red x 65536 + green x 256 + blue.

/// The settings of Settings\Kalveo.ini and the switches of the command line.
struct OptionRecord {
    /// Text window position, horizontal (pixels or position code).
    int posx = 1000003;
    /// Text window position, vertical (pixels or position code).
    int posy = 1000001;
    /// Font size of the text window (pixels).
    int fntsiz = 24;
    /// Text window layout: 1 one line, 0 one value per line.
    int horizontal = 1;
    /// Font size of the horizon window (pixels); -1 fit to the window, 0 same as fntsiz.
    int horfntsiz = 0;
    /// Show the netto vario.
    int disnet = 0;
    /// Show the netto average.
    int disnet_i = 0;
    /// Long-term integrator switch; set at start-up, the display does not read it.
    int disint = 1;
    /// Show the climb average (integrator).
    int disint_i = 0;
    /// McCready switch; set at start-up, the display does not read it.
    int dismc = 1;
    /// Show the stopwatch.
    int distim = 0;
    /// Show the indicated airspeed.
    int disias = 1;
    /// Show the true airspeed.
    int distas = 1;
    /// Heading on the horizon: bit 0 the number, bit 1 the symbol.
    int dishdg = 3;
    /// Wind on the horizon: bit 0 a number, bit 1 the arrow, bit 2 the number is the speed.
    int diswnd = 3;
    /// Flap field: 0 hidden, 1 the simulator's position with the advice arrow, 2 the
    /// recommended position in the advice colour.
    int disfla = 1;
    /// Horizon heading symbol: 1 north up, 0 heading up.
    int northup = 1;
    /// Display speed unit: -1 follow the simulator, 0 kmh, 1 kts, 2 mph, 3 kFpf, 4 custom.
    int nunit = 0;
    /// Show the VNE (0..1).
    int disvne = 1;
    /// Show the alarm start speed VA1 (0..1).
    int disva1 = 1;
    /// Water ballast: bit 0 the number, bit 1 the bar.
    int disbal = 0;
    /// Show the unit name.
    int disuni = 1;
    /// Horizon window: 0 none, 1 horizon, 2 standard horizon (switch -ha gives 1).
    int horizarti = 0;
    /// Horizon window position, horizontal (pixels or position code).
    int horposx = 1000002;
    /// Horizon window position, vertical (pixels or position code).
    int horposy = 1000001;
    /// Horizon window width and height (pixels).
    int horwid = 150;
    /// Horizon window opacity, 0..255.
    int horopa = 255;
    /// Debug mode (switch -d): log every draw, tick and key.
    bool qdebug = false;
    /// Flap sounds on (switch -f, "Flaps Alarm Init").
    bool qflap_beep = false;
    /// Altitudes above the airfield (the simulator's altimeter set to QFE).
    bool qfe = false;
    /// Automatic unit flag; no setting sets it.
    bool qauto_unit = false;
    /// Recording (switch -rec).
    bool qrecord = false;
    /// Text window opacity, 0..255; 0 makes the background colour transparent.
    int txtopa = 255;
    /// Colour of the flap advice.
    int colflap = 0x00007F;
    /// Colour of the water ballast.
    int colwb = 0x00FFFF;
    /// Colour of the VNE.
    int colvne = 0x0000FF;
    /// Colour of the alarm start speed VA1.
    int colva1 = 0xFF00FF;
    /// Colour of the true airspeed below VA1.
    int coltas = 0x000000;
    /// Colour of the heading.
    int colhdg = 0xFF7F00;
    /// Colour of the wind.
    int colwnd = 0x0000FF;
    /// Colour of the indicated airspeed.
    int colias = 0x7F007F;
    /// Colour of the netto vario.
    int colnet = 0x7F7F7F;
    /// Colour of the climb average.
    int colint = 0x7F3F00;
    /// Colour of the stopwatch.
    int coltim = 0x000000;
    /// Colour of the netto average.
    int colavn = 0x7F3F00;
    /// Show the task timer.
    int distsktim = 0;
    /// Colour of the task timer.
    int coltsktim = 0x007F00;
    /// Show the simulator's clock.
    int disclk = 0;
    /// Show the wall clock.
    int diswalclk = 0;
    /// Colour of the clocks.
    int colclk = 0x000000;
    /// Colour of the horizon window's corners.
    int horbgd = 0x82B4E6;
    /// Background colour of the text window.
    int txtbgd = 0x82B4E6;
    /// Keyboard hook: 1 on, 0 off (switch -nohook).
    int kbdhook = 1;
    /// Scale the flap speeds by the load factor.
    bool qflap_g = false;
    /// Horizon corners transparent.
    int horbgdtrans = 1;
    /// The simulator sends flaps=.
    bool qflap_c = false;
    /// The simulator sends water=.
    bool qball_c = false;
    /// The simulator sends MC=.
    bool qmc_c = false;
    /// Speed-to-fly switch; no setting sets it.
    bool q_sp2fly = false;
    /// Start-up must run again after a settings edit.
    bool qrestart = false;
    /// Decimals of the vario values, -4..4; negative: no forced plus sign.
    int numdig = 1;
    /// Seconds to wait before asking to exit once the simulator stopped; -1 exit without
    /// asking; below -1 never check.
    int stopwait = 0;
    /// Horizon symbols: 0 plain arrows, otherwise glider outline and double-triangle wind arrow.
    int arrtyp = 1;
    /// Check for newer program and glider data at start.
    bool qauto_upd = false;
    /// Slip indicator: 0 off, 1 linear, 2 sine scale.
    int dissli = 0;
    /// Colour of the slip indicator.
    int colsli = 0xFF4000;
    /// Load factor: bit 0 the number, bit 1 the g-meter.
    int disg = 0;
    /// Colour of the load factor.
    int colg = 0xFF7FFF;
    /// Colour of the ground speed.
    int colgs = 0x873E23;
    /// Show the ground speed.
    int disgs = 0;
    /// Landing call: 2 or more plays it; odd values also allow "up" advice from the landing
    /// position.
    int lndopt = 0;
    /// Language number: 1 none, 2 English, 3 French, 4 German.
    int nlang = 1;
    /// Keep the console window (started from a console, or debug mode).
    bool qkeepwnd = false;
    /// Thermal turns after which the bug-wipe reminder may show; 0 off.
    int minthturns = 0;
    /// Minutes between automatic keyboard-hook restarts; 0 never.
    int kbdautorst = 0;
    /// Bug-wipe reminder on (minthturns >= 1).
    bool qbugwrn = false;
    /// Flag that no setting sets.
    bool qfrwtgate = false;
};

/// Values taken from the simulator's pilot options file Setup.ini.
struct Rdstng00Record {
    /// Vario averager time constant, (AveragerTimeConstant + 1) x 5 (s).
    double tau_int = 0.0;
    /// Simulator units: 0 metric, 1 and 2 imperial.
    int nunit_cndr = 0;
    /// Altimeter setting: 1 QFE.
    int altsttng = 0;
};

/// Text every catalogue message holds until the language file supplies it.
inline constexpr const char* kMessageNotInitialized = "This message has not been initialized";

/// The message catalogue of the user dialogs (each at most 240 characters; "/" in the
/// language file has become a line feed). Comments give the language-file key.
struct MessagesRecord {
    std::string msgnewinst = kMessageNotInitialized; ///< "MsgNewInst"
    std::string msgnewpath = kMessageNotInitialized; ///< "MsgNewPath"
    std::string msgvernum1 = kMessageNotInitialized; ///< "MsgVerNum1"
    std::string msgvernum2 = kMessageNotInitialized; ///< "MsgVerNum2"
    std::string msgvernum3 = kMessageNotInitialized; ///< "MsgVerNum3"
    std::string msgeditend = kMessageNotInitialized; ///< "MsgEditEnd"
    std::string msgfplnfnd = kMessageNotInitialized; ///< "MsgFPLNFnd"
    std::string msgdisauto = kMessageNotInitialized; ///< "MsgDisAuto"
    std::string msggldrnam = kMessageNotInitialized; ///< "MsgGldrNam"
    std::string msfgldnfnd = kMessageNotInitialized; ///< "MsfGldNFnd"
    std::string msgsndintv = kMessageNotInitialized; ///< "MsgSndIntv"
    std::string msgpltfldr = kMessageNotInitialized; ///< "MsgPltFldr"
    std::string msginifmod = kMessageNotInitialized; ///< "MsgIniFMod"
    std::string msgdiudp12 = kMessageNotInitialized; ///< "MsgDiUDP12"
    std::string msgdiffudp = kMessageNotInitialized; ///< "MsgDiffUDP"
    std::string msgudpnact = kMessageNotInitialized; ///< "MsgUDPNAct"
    std::string msgexitcnf = kMessageNotInitialized; ///< "MsgExitCnf"
    std::string msgcndrstp = kMessageNotInitialized; ///< "MsgCndrStp"
    std::string msgfilnfnd = kMessageNotInitialized; ///< "MsgFilNFnd"
    std::string msgrderror = kMessageNotInitialized; ///< "MsgRdError"
    std::string msgkeymapp = kMessageNotInitialized; ///< "MsgKeyMapp"
    std::string msgkeynosu = kMessageNotInitialized; ///< "MsgKeyNoSu"
    std::string msgnoinstf = kMessageNotInitialized; ///< "MsgNoInstF"
    std::string msgfileupd = kMessageNotInitialized; ///< "MsgFileUpd"
    std::string msgkeydefi = kMessageNotInitialized; ///< "MsgKeyDefi"
    std::string msgudpenab = kMessageNotInitialized; ///< "MsgUDPEnab"
    std::string msgextdata = kMessageNotInitialized; ///< "MsgExtData"
    std::string msgnewdat1 = kMessageNotInitialized; ///< "MsgNewDat1"
    std::string msgnewdat2 = kMessageNotInitialized; ///< "MsgNewDat2"
    std::string msgnewprog = kMessageNotInitialized; ///< "MsgNewProg"
};

extern OptionRecord option;
extern Rdstng00Record rdstng00;
extern MessagesRecord messages;

} // namespace kalveo
