// config/records: the simulator's pilot options and the message catalogue.
#pragma once

#include <string>

namespace kalveo {

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

} // namespace kalveo
