#include "sim/records.h"

namespace kalveo {

KeydefCndrRecord keydef_cndr;
Inst00Record inst00;
RdFpl0Record rd_fpl_0;
RdFpl1Record rd_fpl_1;
RdFpl2Record rd_fpl_2;
RdFpl4Record rd_fpl_4;
RdFpl5Record rd_fpl_5;
RdFpl6Record rd_fpl_6;
RdFplWz1Record rd_fpl_wz1;
RdFplWz2Record rd_fpl_wz2;

} // namespace kalveo
