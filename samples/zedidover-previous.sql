-- The insurance office's database (catalog Zedidover) as the product's previous version
-- leaves it in the field: the starting point of an insurance upgrade in tests and
-- demonstrations.
--
-- What it holds:
--   * every table the insurance upgrade works on, with the product's own columns that the
--     upgrade's statements and the installed views, functions and procedures read but never
--     add (the policy columns of Sudur, the group name, remark and share of P_TTHESAB, the
--     amounts of A_PARDAKHT, ...);
--   * the older form of every column the upgrade converts: narrower texts (A_GMTHESAB, A_ASNAD,
--     A_ENTEQAL, A_GHAVALEH, A_GMSANDUQ, P_TTHESAB, T_SMS_Inbox, T_Lottery_Dt,
--     T_Import_Pattern), nullable columns it makes NOT NULL (Sudur.SH_B, A_GHAVALEH.SH_R and
--     CA, A_GMSANDUQ.SH_R and CA, A_CDARYAFTI.SeriNo, P_TBimeh_Wage_DT.Ins_com_cd and
--     Wage_Year, T_AccAsnad.SanadID_Form), an integer percent (P_TTHESAB.pursant_yuzda,
--     P_TBIMEH.per_karmozd);
--   * the keys of this version that the upgrade replaces: PK_A_CDARYAFTI on the cheque
--     serial alone, PK_A_FASQ on policy and document number, PK_A_GHAVALEH, FK_VOTE_ID and
--     the index Idx_A_AQSAT without its included columns; the keys it adds when missing
--     (PK_SUDUR, PK_A_GMSANDUQ, PK_A_SHARH_AQSAT) are absent;
--   * not the columns that this upgrade adds (the last ones of several tables, the root row
--     of the chart of accounts, the computed AccCodeInt).
--
-- The rows are one office's year 1402: insurers, policyholders, marketers, policies with their
-- receipts, cheques, instalments, endorsements, ledger rows and vouchers. Codes join across
-- tables. Some rows are there for the upgrade's harder cases: endorsements and instalment
-- lines without a number (A_FASQ.SH_ID, A_Sharh_Aqsat.RowID) beside numbered ones, cheques
-- with an empty or missing series number, a wage rate without an insurer and one without a
-- year, old voucher types, a non-empty expense-group table.
--
-- Persian texts are written as the product stores them: Arabic yeh (U+064A) and keheh
-- (U+06A9); dates are Jalali texts yyyy/mm/dd.
--
-- Form: plain CREATE TABLE / CREATE INDEX / INSERT statements, each ending with ";" at the end
-- of a line, so that a loader can split it without parsing T-SQL. To load it by hand into
-- the embedded engine's data directory DIR:
--   morav-update --data-dir DIR --product Zedidover --create-database \
--       console "$(cat samples/zedidover-previous.sql)"

CREATE TABLE A_AQSAT (
    SH_A integer NOT NULL, SH_B nvarchar(50), CTH integer, NTH nvarchar(100), CG integer,
    NG nvarchar(100), TA nvarchar(10), TA_FIRST nvarchar(10), TA_LAST nvarchar(10),
    QEST_NUM integer, QEST_COUNTER integer, JMAB_AQSAT money, JMAN_AQSAT money, AVE_MQEST money,
    CK integer, NK nvarchar(50), JMBIMEH money, JKDARYAFTI money, JKPARDAKHTI money, IS_ADOREH bit,
    TOZIH nvarchar(100), NOE_AQSAT nvarchar(50), PER_YEAR float, PER_karmozd float,
    DISTANCE nvarchar(50), CONSTRAINT PK_A_AQSAT PRIMARY KEY (SH_A)
);

CREATE NONCLUSTERED INDEX Idx_A_AQSAT ON A_AQSAT (NOE_AQSAT);

CREATE TABLE A_ASNAD (
    ID integer NOT NULL PRIMARY KEY, TARTIB integer, TA nvarchar(10), SHO_SANAD integer,
    KOL nvarchar(50), CODE_HESABDARI nvarchar(50), SHARH nvarchar(100), BED money, BES money,
    MOIN nvarchar(100), TAF nvarchar(50)
);

CREATE TABLE A_BHAZINEH (
    SHB integer NOT NULL PRIMARY KEY, TA nvarchar(10), SA nvarchar(10), CH integer, NH nvarchar(50),
    CGH integer, NG nvarchar(50), [TO] nvarchar(100), MAB money, SHRP integer, JNAQD money,
    JCHS money, JCHASH money, JHAV money, JMABP money, CK integer, NK nvarchar(100),
    SHO_SANAD integer, CTH integer, CGTH integer, NTH nvarchar(50), IS_BEDEHI bit
);

CREATE TABLE A_CDARYAFTI (
    SHSERIAL varchar(50) NOT NULL, SH_R integer, SH_RM integer, SH_RB integer, SH_RMB integer,
    SHHESAB nvarchar(50), NSHESAB nvarchar(50), NBANK nvarchar(50), CDBank int,
    NSHOBEH nvarchar(50), CDSHOBEH nvarchar(50), SeriNo varchar(50) NULL, SayyadNo varchar(50),
    MABLAGH money, TASARRESID nvarchar(10), CA integer, NA nvarchar(50), VAZ nvarchar(50),
    IS_SANDUQ bit, CTH integer, NTH nvarchar(50), CTH_M integer, NTH_M nvarchar(50), ADOREH bit,
    TA_ADOREH nvarchar(10), BABAT_ADOREH nvarchar(100), SHO_SANAD integer, CG integer,
    CONSTRAINT PK_A_CDARYAFTI PRIMARY KEY NONCLUSTERED (SHSERIAL)
);

CREATE TABLE A_CPARDAKHTI (
    SHSERIAL nvarchar(50) NOT NULL PRIMARY KEY, SH_R integer, SHHESAB nvarchar(50),
    NSHESAB nvarchar(50), NBANK nvarchar(50), NSHOBEH nvarchar(50), MABLAGH money,
    TASARRESID nvarchar(10), CA integer, NA nvarchar(50), VAZ nvarchar(50), IS_ASH bit,
    SH_RM integer, SH_RM2 integer, CG integer, CTH integer, NTH nvarchar(50), ADOREH bit,
    TA_ADOREH nvarchar(10), BABAT_ADOREH nvarchar(100), SHO_SANAD integer
);

CREATE TABLE A_DARYAFT (
    SH_R integer NOT NULL PRIMARY KEY, TA nvarchar(10), SA nvarchar(10), BABAT nvarchar(100),
    CG integer, CTH integer, NTH nvarchar(50), JNAQD money, JCHEK money, JHAVALEH money,
    INDIRIM money, ARTIRIM money, JKOL money, [TO] nvarchar(50), [ADD] nvarchar(50), CK integer,
    NK nvarchar(100), AKH_TA nvarchar(10), SHO_SANAD integer, Babat_SH_B nvarchar(100)
);

CREATE TABLE A_ENTEQAL (
    ID integer NOT NULL PRIMARY KEY, HP nvarchar(10), HD nvarchar(10), NHP nvarchar(50),
    NHD nvarchar(50), SH_RP integer, SH_RD integer, TA nvarchar(50), SA nvarchar(50), MABLAGH money,
    BABAT nvarchar(100), kind nvarchar(5), CK integer, NK nvarchar(100), SHO_SANAD integer
);

CREATE TABLE A_FASQ (
    SH_B nvarchar(50) NOT NULL, SH_SANAD integer NOT NULL, CTH integer, NTH nvarchar(50),
    CB integer, NB nvarchar(50), CGB integer, CA integer, NA nvarchar(50), TA nvarchar(50),
    SA nvarchar(50), MAB_PAYE money, PER_MALIYAT float, PER_AVAREZ float, MALIYAT money, JMAB money,
    C_BAZARYAB integer, N_BAZARYAB nvarchar(50), EMAL_BAZARYAB bit, SHARH nvarchar(50), CK integer,
    NK nvarchar(50), PER_BAZARYAB float, MAB_BAZARYAB money, PER_KARMOZD float, MAB_KARMOZD money,
    PER_KASR float, SHO_SANAD integer, ins_com_cd integer, ins_com_dsc nvarchar(50),
    SH_ID integer NULL, CONSTRAINT PK_A_FASQ PRIMARY KEY (SH_B, SH_SANAD)
);

CREATE TABLE A_GHAVALEH (
    SH_R integer NULL, CA integer NULL, NA nvarchar(50), TA nvarchar(50), SH_HESAB nvarchar(50),
    NBANK nvarchar(50), SH_Fish nvarchar(50), MAB_SANAD money, ID integer NOT NULL, SA nvarchar(10),
    CONSTRAINT PK_A_GHAVALEH PRIMARY KEY (ID)
);

CREATE TABLE P_Log (
    ID integer NOT NULL PRIMARY KEY, CK integer, NK nvarchar(50), SHARH nvarchar(100),
    TA nvarchar(20), SA nvarchar(20), CG integer, CA integer
);

CREATE TABLE A_GMSANDUQ (
    SH_R integer NULL, CA integer NULL, NA nvarchar(50), CTH integer, NTH nvarchar(50), CG integer,
    TA nvarchar(50), CS integer, NS nvarchar(50), BED money, BES money, SH_Fish nvarchar(50),
    SA nvarchar(10)
);

CREATE TABLE A_GMTHESAB (
    ID integer NOT NULL PRIMARY KEY, AKH_TA nvarchar(10), Karmozd_day integer, CG integer,
    CA integer, NA nvarchar(150), SH_B nvarchar(50), CTH integer, NTH nvarchar(50), TA nvarchar(50),
    SA nvarchar(10), CB integer, NB nvarchar(50), MAB_B money, PER_BAZARYAB float, per_daftar float,
    BED money, BES money, RECOG nvarchar(50), SH_R integer, CK integer, NK nvarchar(50),
    AKH_TA_P nvarchar(50), KARMOZ_DAY integer, SH_SANAD integer, SHARH nvarchar(150)
);

CREATE TABLE A_Sharh_Aqsat (
    SH_A integer NOT NULL, RowID integer NULL, SH_R integer, SH_RP integer, SH_T integer,
    SH_RPursant integer, TA_QEST nvarchar(10), MAB_QEST money, Year integer, VAZ nvarchar(100),
    SELECTED bit, SH_R2 integer, MAN_QEST money, IS_Canceled bit
);

CREATE TABLE Company (
    on1 nvarchar(50), on2 nvarchar(50), nmodir nvarchar(50), tel1 nvarchar(50), tel2 nvarchar(50),
    mob nvarchar(50), email nvarchar(50), web nvarchar(50), [add] nvarchar(100), auto_bak bit,
    back_path nvarchar(50), per_maliyat float, per_avarez float, per_kasr_karmozd float,
    karmozd_day integer, tiny_register bit, mojudi_sanduq money, TA_Sanad_Eftetah nvarchar(10),
    per_sales float, per_mazad float, per_sarneshin float, per_sales_haz float, per_mazad_haz float,
    per_sarneshin_haz float, ins_com_cd integer, ins_com_dsc nvarchar(50), sms_user nvarchar(50),
    sms_pass nvarchar(50), sms_company nvarchar(50), Title_Addto_NTH bit, DOC_PATH nvarchar(100),
    SHOW_LAST_DOC_ONSHOW bit, Prevent_Dup_National_CD bit, Prevent_Dup_Name bit, RND_Maliyat int,
    RND_Aqsat int, SHOW_MN_AQSAT bit, Dec_Ins_End_Dt bit, CHEQUE_AlertDay integer,
    Payment_AlertDay integer, Insurance_AlertDay integer, Arm_Path nvarchar(250), CGB_OMR integer,
    NGB_OMR nvarchar(100), Assign_Bashlanish_to_Document bit, Auto_Update_Alert_Panel bit,
    National_CD_Addto_NTH bit, CheckUpdate bit, Print_Dsc nvarchar(250), En_Acount_Code bit,
    Len_Grp integer, Len_Kol integer, Len_Moin integer, Len_Tafzil integer
);

CREATE TABLE Sudur (
    SH_B nvarchar(50) NULL, SH_SANAD integer, CA integer, NA nvarchar(50), TA_SUDUR nvarchar(10),
    SA nvarchar(10), CB integer, NB nvarchar(50), CGB integer, NGB nvarchar(50), CTH integer,
    NTH nvarchar(100), Pursant_Codu integer, PURSANT_AD nvarchar(50), PURSANT_PERCENT float,
    MAB_PURSANT money, BASHLANISH nvarchar(10), QURTULUSH nvarchar(10), toz nvarchar(250),
    MAB_BIMEH money, TAKH money, TAKH_PER float, JMBIMEH money, MN_SUDUR money, mab_karmozd money,
    per_karmozd float, per_kasr_karmozd float, mab_kasr_karmozd money, PER_MALIYAT float,
    MAB_MALIYAT money, PER_AVAREZ float, MAB_AVAREZ money, JMMaliyat money, JJarimeh money,
    SH_R integer, SH_RP integer, JKDaryafti money, JKPardakhti money, AKH_TA nvarchar(10),
    Akh_Ta_P nvarchar(10), vaz_tasviye integer, SH_A integer, SH_AP integer, JMAqsat money,
    CK integer, NK nvarchar(50), IS_SALES bit, IS_LIFE bit, IS_SUDUR bit, MAZAD money, SALES money,
    SARNESHIN money, per_sales float, per_mazad float, per_sarneshin float, per_sales_haz float,
    per_mazad_haz float, per_sarneshin_haz float, per_haz_sudur float, INS_COM_CD integer,
    INS_COM_DSC nvarchar(100), ID_EHBTH_NORMAL integer, ID_EHBTH_ONLINE integer, TOZ1 nvarchar(100),
    LEN_OMR integer, IS_Credit_Pay bit
);

CREATE TABLE P_TBIMEH (
    CB nvarchar(50) NOT NULL PRIMARY KEY, NB nvarchar(50), CGB integer, NGB nvarchar(50),
    per_karmozd integer, per_haz_sudur float, LotteryAdv Integer
);

CREATE TABLE P_TTHESAB (
    CTH integer NOT NULL PRIMARY KEY, NTH nvarchar(100), NG nvarchar(50), [TO] nvarchar(100),
    pursant_yuzda integer, MOB nvarchar(20), TEL nvarchar(20), MA money, MN money, CG integer,
    ADR nvarchar(150), TT nvarchar(15), jensiat nvarchar(15), Secondry_grp nvarchar(50),
    Location nvarchar(50), TH_Type nvarchar(50), Email nvarchar(50), National_CD nvarchar(20),
    SH_SH nvarchar(20), POST_CD nvarchar(20), Title nvarchar(50), WEB nvarchar(50)
);

CREATE TABLE P_INFO (
    CK integer NOT NULL PRIMARY KEY, NK nvarchar(50), EN_TINS_COM bit, EN_TSANDUQ bit,
    EN_EDIT_AM bit, EN_ADar bit, EN_TDar bit, EN_TKarmozd bit, EN_TASK bit, EN_AENTEQAL_ASH bit
);

CREATE TABLE P_KAR_OMR (
    ID integer NOT NULL PRIMARY KEY, sh_b nvarchar(50), cth integer, cg integer, nth nvarchar(50),
    year1 money, year2 money, year3 money, year4 money, year5 money, year6 money, year7 money,
    year8 money, year9 money, year10 money
);

CREATE TABLE P_TSanduq (
    CASH_CD integer NOT NULL PRIMARY KEY, MOJUDI MONEY, CASH_DSC NVARCHAR(50)
);

CREATE TABLE P_THazineh (
    CH integer NOT NULL PRIMARY KEY, NH nvarchar(50), CG integer, NG nvarchar(50),
    [TO] nvarchar(100)
);

CREATE TABLE P_TDaramad (
    CD integer NOT NULL PRIMARY KEY, ND nvarchar(50), SHARH nvarchar(100), CG int, NG nvarchar(50)
);

CREATE TABLE A_BDaramad (
    SHB integer NOT NULL PRIMARY KEY, TA nvarchar(10), SA nvarchar(10), CD integer, ND nvarchar(50),
    SHARH nvarchar(100), MAB money, SHRD integer, JNAQD money, JCH money, JHAV money, JMABD money,
    CK integer, NK nvarchar(100), SHO_SANAD integer, CTH integer, CGTH integer, NTH nvarchar(50),
    IS_BESTANKARI bit
);

CREATE TABLE P_TKarmozd (
    INS_CD integer NOT NULL, INS_DSC nvarchar(100), BZR_CD integer NOT NULL, BZR_DSC nvarchar(100),
    COM_CD integer NOT NULL, COM_DSC nvarchar(100), PURSANT float,
    PRIMARY KEY (INS_CD, BZR_CD, COM_CD)
);

CREATE TABLE P_TASK (
    ID integer NOT NULL PRIMARY KEY, SHARH nvarchar(100), BASHLANISH nvarchar(20),
    QURTULUSH nvarchar(20), STS nvarchar(20), CK integer, NK nvarchar(100)
);

CREATE TABLE P_THESAB_BANKI (
    ID integer NOT NULL PRIMARY KEY, SHHesab NVARCHAR(50), NBANK NVARCHAR(50), NSHOBEH NVARCHAR(50),
    NSahebHesab NVARCHAR(50), Mojudi_Avaliye MONEY
);

CREATE TABLE Temp_THesab (
    Name nvarchar(100), MAN money, MOB nvarchar(20), TEL nvarchar(20), ADR nvarchar(100),
    TT nvarchar(20)
);

CREATE TABLE P_OTHERS_SMS (
    NTH nvarchar(50), MOB nvarchar(20), Group_Name nvarchar(50), TT nvarchar(20)
);

CREATE TABLE P_SMS_TEXT (
    [TEXT] nvarchar(255), TEXT_TYPE nvarchar(100)
);

CREATE TABLE A_EHBTH (
    ID integer NOT NULL PRIMARY KEY, TA nvarchar(50), MAB money, SHARH nvarchar(150),
    SHARH2 nvarchar(150), CG_BED integer, CTH_BED integer, NTH_BED nvarchar(50), CG_BES integer,
    CTH_BES integer, NTH_BES nvarchar(50), SH_ID_BED integer, SH_ID_BES integer, CK integer,
    NK nvarchar(50)
);

CREATE TABLE P_Document (
    Image_ID integer NOT NULL PRIMARY KEY, GRP1 nvarchar(50), GRP1_DSC nvarchar(50),
    GRP2 nvarchar(50), GRP2_DSC nvarchar(50), INS_DT nvarchar(50), INS_USER nvarchar(50),
    Image_Path nvarchar(200), Image_DSC nvarchar(200)
);

CREATE TABLE P_Cash_Users (
    CK integer NOT NULL, CASH_CD integer NOT NULL, CASH_DSC nvarchar(150), NK nvarchar(50),
    PRIMARY KEY (CK, CASH_CD)
);

CREATE TABLE A_PARDAKHT (
    SH_R integer NOT NULL PRIMARY KEY, TA nvarchar(10), SA nvarchar(10), BABAT nvarchar(100),
    CG integer, CTH integer, NTH nvarchar(50), JNAQD money, JCHEK money, JHAVALEH money,
    JCHASHKHAS money, JKOL money, [TO] nvarchar(50), CK integer, NK nvarchar(100),
    SHO_SANAD integer, Babat_SH_B nvarchar(100)
);

CREATE TABLE P_Sanad_Type (
    Sanad_CD integer, Sanad_DSC nvarchar(150)
);

CREATE TABLE T_Offers (
    Offer_ID integer NOT NULL IDENTITY (1, 1), CB integer, NB nvarchar(50), CTH integer,
    NTH nvarchar(100), SH_SH nvarchar(50), NATIONAL_CD nvarchar(50), TEL nvarchar(50),
    MOB nvarchar(50), ADR nvarchar(150), TT nvarchar(50), POST_CD nvarchar(50),
    SYSTEM_TYPE_ID integer
);

CREATE TABLE T_General (
    ID integer NOT NULL IDENTITY (1, 1), CG integer, NG nvarchar(50), ITEM_ID integer,
    ITEM_DSC nvarchar(100), FATHER_ID integer
);

CREATE TABLE T_SMS_Sendbox (
    ID integer NOT NULL IDENTITY (1, 1), FROM_NUM nvarchar(20), TO_NUM nvarchar(20),
    SMS_TEXT nvarchar(250), SEND_DT nvarchar(20), USER_VORKA nvarchar(100),
    RESPONSE_ID nvarchar(50), STS nvarchar(200)
);

CREATE TABLE T_SMS_Inbox (
    ID integer NOT NULL IDENTITY (1, 1), FROM_NUM nvarchar(20), TO_NUM nvarchar(20),
    SMS_TEXT nvarchar(250), Receive_DT nvarchar(20), Receive_SA nvarchar(20),
    USER_VORKA nvarchar(100)
);

CREATE TABLE T_SMS_Vote (
    VOTE_ID integer NOT NULL PRIMARY KEY, VOTE_TITLE nvarchar(250), BEGIN_DT nvarchar(20),
    END_DT nvarchar(20), IS_COMPETITION bit
);

CREATE TABLE T_SMS_Vote_Dt (
    ID integer NOT NULL PRIMARY KEY, VOTE_ID integer, SMS_OPTION nvarchar(250),
    SMS_OPTION_SYNONYM nvarchar(250), Auto_Response_Msg_Text nvarchar(250),
    Auto_Response_Line_Num nvarchar(20), IS_Correct bit,
    CONSTRAINT FK_VOTE_ID FOREIGN KEY (VOTE_ID) REFERENCES T_SMS_Vote (VOTE_ID)
);

CREATE TABLE T_SMS_BlackList (
    MOB nvarchar(50), NTH nvarchar(100)
);

CREATE TABLE T_Auto_Response (
    ID integer NOT NULL PRIMARY KEY, Receive_Text nvarchar(250), Response_Text nvarchar(250),
    BEGIN_DT nvarchar(20), END_DT nvarchar(20), sts nvarchar(50)
);

CREATE TABLE T_Auto_Response_Dt (
    ID integer NOT NULL PRIMARY KEY, Secretary_id integer, Receive_Msg_id integer,
    Send_Msg_id integer
);

CREATE TABLE T_Systempwd (
    id integer, Objectpwd varbinary(128)
);

CREATE TABLE P_TBimeh_Wage_DT (
    CB integer NOT NULL, Wage_Year nvarchar(50), Wage_Percent float, Issuer_Percent float,
    Ins_com_cd integer NULL
);

CREATE TABLE T_Advantage_Formulas (
    Formula_ID integer NOT NULL UNIQUE, CG integer NOT NULL, CTH integer NOT NULL,
    NTH nvarchar(150), CB integer NOT NULL, NB nvarchar(150), Amount float,
    Amount_Type nvarchar(50), Calc_Base nvarchar(150), PRIMARY KEY (CG, CTH, CB)
);

CREATE TABLE T_Advantages (
    Adv_ID integer NOT NULL PRIMARY KEY, SH_B nvarchar(50) NOT NULL, Formula_ID integer,
    Amount float, Amount_Type nvarchar(50), Calc_Base nvarchar(150), IS_Moaref bit, ID_GMTH int
);

CREATE TABLE T_Insured (
    SH_B nvarchar(50) NOT NULL, First_Name nvarchar(50), Last_Name nvarchar(50),
    RATIO nvarchar(50) NOT NULL, National_CD nvarchar(15), Birth_Date nvarchar(10),
    National_CD_Head nvarchar(15)
);

CREATE TABLE T_Credit_Cash (
    Cash_CD integer NOT NULL PRIMARY KEY, Cash_DSC nvarchar(50), INS_COM_CD integer,
    Credit_Roof money, Credit_Length integer, Start_Date nvarchar(10)
);

CREATE TABLE T_Credit_Cash_History (
    SH_B nvarchar(100) NOT NULL PRIMARY KEY, Cash_CD integer NOT NULL, Credit_Roof money,
    Credit_Length integer, Close_ID integer
);

CREATE TABLE P_TGHAZINEH (
    CGH integer NOT NULL PRIMARY KEY, NGH nvarchar(100) not null, SHARH nvarchar(100)
);

CREATE TABLE P_TField (
    Field_ID integer NOT NULL PRIMARY KEY, CB integer, Field_Title nvarchar(150),
    Field_Type nvarchar(50), Field_Sts nvarchar(50), CK integer, NK nvarchar(50), Ta nvarchar(10),
    Sa nvarchar(10)
);

CREATE TABLE P_FYC (
    Fyc_ID integer NOT NULL PRIMARY KEY, Fyc_Title nvarchar(150), Fyc_Value nvarchar(50),
    Fyc_Sts bit, Fyc_Date nvarchar(10)
);

CREATE TABLE T_Import_Pattern (
    PatternID integer NOT NULL PRIMARY KEY, PatternDsc nvarchar(150), PatternSts bit,
    F_SHB nvarchar(100), F_NTH nvarchar(150), F_NID nvarchar(150), F_BeginDt nvarchar(50),
    F_EndDt nvarchar(50), F_InsurDt nvarchar(50), F_Amount nvarchar(50), F_Sudur_Dsc nvarchar(250)
);

CREATE TABLE T_AccCode (
    ID integer NOT NULL PRIMARY KEY, AccCode nchar(5) not null, AccCodeDsc nvarchar(150) not null,
    AccCodeLevel int not null, AccCodeSts bit, AccCode_MA Money, AccCode_MN Money,
    AccCode_REC nvarchar(10), FatherID int not null
);

CREATE TABLE T_AccCode_Forms (
    FormName nchar(50) NOT NULL PRIMARY KEY, FormDsc nvarchar(150) not null, FormLevel int not null,
    FormSts bit default(1), Form_FatherAccID int not null
);

CREATE TABLE T_AccCode_FormCode (
    FormName nchar(20) NOT NULL, AccID int not null, FormCode int not null
);

CREATE TABLE T_AccAsnad (
    ID integer NOT NULL PRIMARY KEY, SanadID int not null, SanadDsc nvarchar(250) not null,
    SanadDate nvarchar(10) not null, SanadTime nvarchar(15) null, AccID int not null, Bed Money,
    Bes Money, SanadType int not null, SanadID_Form varchar(20) NULL,
    SanadStatus nchar(2) not null default('MV')
);

CREATE TABLE P_TGDaramad (
    CGD integer NOT NULL PRIMARY KEY, NGD nvarchar(100), SHARH nvarchar(150)
);

CREATE TABLE T_Outbox (
    MsgID integer NOT NULL PRIMARY KEY, MsgText nvarchar(250), MsgMobNum varchar(15),
    MsgType nvarchar(50), MsgSts bit, SendSts bit, ParentKey varchar(20), InsDate integer,
    SendDate integer, InsTime varchar(15), SendTime varchar(15)
);

CREATE TABLE T_Outbox_Log (
    LogID integer NOT NULL PRIMARY KEY, LogText nvarchar(250), LogTime varchar(20),
    LogType varchar(50)
);

CREATE TABLE T_AccAsnad_Log (
    ID integer NOT NULL PRIMARY KEY, SanadType integer, SanadID_Form varchar(20),
    LogText nvarchar(250), LogDate varchar(20)
);

CREATE TABLE P_Bank (
    ID integer, NBank nvarchar(100), CDBank int
);

CREATE TABLE T_ReservedID (
    RserveDate varchar(20), CK integer, CA integer, ResID integer
);

CREATE TABLE P_TCure (
    CureID integer NOT NULL PRIMARY KEY, CureDsc nvarchar(100), CureSts integer
);

CREATE TABLE T_CureCost (
    ID integer NOT NULL PRIMARY KEY, PatientName Nvarchar(150), PatientNID varchar(15),
    Relation Nvarchar(100), PatientPName Nvarchar(150), CostType Nvarchar(100),
    CostDate varchar(10), CostAmount money, SH_B nvarchar(50), IsHospital bit, IsParaclinic bit,
    CureID integer, AttachFileDsc Nvarchar(250), AttachFileCnt int, VerifierAmount money,
    VerifierDsc Nvarchar(250), RecieverName Nvarchar(150), DeliveryName Nvarchar(150),
    InsDate varchar(10), SendDate varchar(10)
);

CREATE TABLE P_SetCheck (
    ID integer NOT NULL PRIMARY KEY, ShHesab nvarchar(50), Left_Mab Integer, Left_Vajh Integer,
    Left_TSa Integer, Left_MabH Integer, Left_TSaH Integer, Top_Mab Integer, Top_Vajh Integer,
    Top_TSa Integer, Top_MabH Integer, Top_TSaH Integer, Left_NID Integer, Top_NID Integer,
    Left_Tozih Integer, Top_Tozih Integer, is_VisibleTozih bit, is_Tas_NetNum bit
);

CREATE TABLE T_Lottery (
    LotteryID integer NOT NULL PRIMARY KEY, LotteryDsc nvarchar(150), LotterySts integer,
    LotteryDate varchar(10), SudurAdvType varchar(50), SudurBegDate varchar(10),
    SudurEndDate varchar(10), SudurFixAdv integer, SudurLowAmt money, SudurLowAdv integer,
    SudurHighAmt money, SudurHighAdv integer, SudurMidAdv integer, ElhaqFixAdv integer
);

CREATE TABLE T_Lottery_Dt (
    ID integer NOT NULL PRIMARY KEY, LotteryID integer, ServiceType nvarchar(50),
    ServiceNum varchar(30), CalcAdv integer
);

CREATE TABLE T_Lottery_Winner (
    ID integer NOT NULL PRIMARY KEY, LotteryID integer, LotteryID_Dt integer,
    LotteryNum numeric(10,0)
);

CREATE TABLE T_Lottery_Winner_Temp (
    ID integer NOT NULL PRIMARY KEY, LotteryID integer, LotteryID_Dt integer,
    LotteryNum numeric(10,0)
);

CREATE TABLE T_Outbox_Config (
    ConfigID integer NOT NULL PRIMARY KEY, MsgSts bit, MsgType varchar(50), MsgText nvarchar(250)
);


-- Parties: insurers (group 1), policyholders (2), marketers (3), an introducer (6). The
-- policyholders still carry the group name this version used; the upgrade renames group 2.
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (1, N'بيمه سپهر', 1, N'شرکتهاي بيمه', N'تهران، خيابان وليعصر، پلاک 1200', NULL, NULL, N'تهران', N'حقوقي', '10101234567', '1591634311', NULL, NULL, 0, NULL, '02188001122', 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (2, N'بيمه آرين', 1, N'شرکتهاي بيمه', N'تهران، خيابان مطهري، پلاک 44', NULL, NULL, N'تهران', N'حقوقي', '10102345678', '1587745611', NULL, NULL, 0, NULL, '02188102030', 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (3, N'بيمه مهرگان', 1, N'شرکتهاي بيمه', N'تهران، ميدان آرژانتين، برج نگين', NULL, NULL, N'تهران', N'حقوقي', '10103456789', '1513833111', NULL, NULL, 0, NULL, '02187654000', 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (101, N'علي رضايي', 2, N'مشتريان', N'تهران، نارمک، خيابان گلبرگ، پلاک 17', '1360/05/11', N'مرد', N'تهران', N'حقيقي', '0061234567', '1643913511', N'آقاي', NULL, 0, '09121234567', '02177889900', 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (102, N'فاطمه احمدي', 2, N'مشتريان', N'تهران، پاسداران، بوستان ششم، پلاک 3', '1365/11/02', N'زن', N'تهران', N'حقيقي', '0072345678', '1666714155', N'خانم', NULL, 0, '09351234567', NULL, 0, 5000000);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (103, N'محمد حسيني', 2, N'مشتريان', N'کرج، گوهردشت، بلوار موذن', '1358/02/20', N'مرد', N'کرج', N'حقيقي', '0083456789', '3164857431', N'آقاي', NULL, 0, '9123456789', NULL, 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (104, N'زهرا کريمي', 2, N'مشتريان', N'تهران، ونک، خيابان ملاصدرا، پلاک 210', '1370/06/30', N'زن', N'تهران', N'حقيقي', '0094567890', '1435915311', N'خانم', NULL, 0, '09198765432', NULL, 0, 6000000);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (105, N'حسن موسوي', 2, N'مشتريان', N'تهران، تهرانپارس، فلکه دوم', '1349/12/29', N'مرد', N'تهران', N'حقيقي', '0015678901', '1653843711', N'آقاي', N'چک برگشتي دارد', 0, NULL, '02177001234', 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (106, N'مريم جعفري', 2, N'مشتريان', N'تهران، شهرک غرب، خيابان فرحزادي', '1368/04/12', N'زن', N'تهران', N'حقيقي', '0026789012', '1468763511', N'خانم', NULL, 0, '09127654321', NULL, 0, 16350000);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (107, N'رضا نوري', 2, N'مشتريان', N'تهران، سعادت آباد، ميدان کاج', '1362/08/08', N'مرد', N'تهران', N'حقيقي', '0079876543', '1998765432', N'آقاي', NULL, 0, '09361112233', '02122001122', 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (108, N'سارا محمدي', 2, N'مشتريان', N'اصفهان، خيابان چهارباغ بالا', '1375/01/01', N'زن', N'اصفهان', N'حقيقي', '1271234567', '8173654321', N'خانم', NULL, 0, '09131234567', NULL, 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (201, N'مهدي صادقي', 3, N'بازاريابان', N'تهران، خيابان شريعتي', '1355/09/18', N'مرد', N'تهران', N'حقيقي', '0031122334', NULL, N'آقاي', NULL, 20, '09123334455', NULL, 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (202, N'ناصر قاسمي', 3, N'بازاريابان', N'تهران، خيابان دماوند', '1352/03/05', N'مرد', N'تهران', N'حقيقي', '0042233445', NULL, N'آقاي', NULL, 25, '09125556677', NULL, 0, 0);
INSERT INTO P_TTHESAB (CTH, NTH, CG, NG, ADR, TT, jensiat, Location, TH_Type, National_CD, POST_CD, Title, [TO], pursant_yuzda, MOB, TEL, MA, MN) VALUES (301, N'ليلا عباسي', 6, N'معرفين', N'تهران، خيابان آزادي', '1363/10/21', N'زن', N'تهران', N'حقيقي', '0053344556', NULL, N'خانم', NULL, 0, '09187778899', NULL, 0, 0);

-- Insurance classes. Their codes are texts here and numbers in the policies.
INSERT INTO P_TBIMEH (CB, NB, CGB, NGB, per_karmozd, per_haz_sudur, LotteryAdv) VALUES ('1', N'شخص ثالث', 1, N'اتومبيل', 10, 0, 1);
INSERT INTO P_TBIMEH (CB, NB, CGB, NGB, per_karmozd, per_haz_sudur, LotteryAdv) VALUES ('2', N'بدنه اتومبيل', 1, N'اتومبيل', 12, 0, 2);
INSERT INTO P_TBIMEH (CB, NB, CGB, NGB, per_karmozd, per_haz_sudur, LotteryAdv) VALUES ('3', N'آتش سوزي منازل', 2, N'اموال', 15, 0, 3);
INSERT INTO P_TBIMEH (CB, NB, CGB, NGB, per_karmozd, per_haz_sudur, LotteryAdv) VALUES ('4', N'عمر و سرمايه گذاري', 3, N'اشخاص', 8, 0, 25);
INSERT INTO P_TBIMEH (CB, NB, CGB, NGB, per_karmozd, per_haz_sudur, LotteryAdv) VALUES ('5', N'درمان تکميلي', 3, N'اشخاص', 5, 0, NULL);

-- The office's settings: tax 6 and levy 3 percent, amounts rounded to whole rials.
INSERT INTO Company (on1, on2, nmodir, tel1, tel2, mob, email, [add], auto_bak, back_path, per_maliyat, per_avarez, per_kasr_karmozd, karmozd_day, tiny_register, mojudi_sanduq, TA_Sanad_Eftetah, ins_com_cd, ins_com_dsc, RND_Maliyat, RND_Aqsat, CHEQUE_AlertDay, Payment_AlertDay, Insurance_AlertDay, Len_Grp, Len_Kol, Len_Moin, Len_Tafzil) VALUES (N'دفتر نمايندگي بيمه آرمان', N'کد نمايندگي 4521', N'محمود اکبري', '02122334455', '02122334466', '09121112233', 'info@example.com', N'تهران، خيابان شريعتي، پلاک 85', 1, 'D:\Backup', 6, 3, 0, 30, 0, 5000000, '1402/01/01', 1, N'بيمه سپهر', 0, 0, 3, 5, 10, 2, 2, 4, 5);

-- Users, their cash boxes and bank accounts.
INSERT INTO P_INFO (CK, NK, EN_TINS_COM, EN_TSANDUQ, EN_EDIT_AM, EN_ADar, EN_TDar, EN_TKarmozd, EN_TASK, EN_AENTEQAL_ASH) VALUES (1, N'مدير سيستم', 1, 1, 1, 1, 1, 1, 1, 1);
INSERT INTO P_INFO (CK, NK, EN_TINS_COM, EN_TSANDUQ, EN_EDIT_AM, EN_ADar, EN_TDar, EN_TKarmozd, EN_TASK, EN_AENTEQAL_ASH) VALUES (2, N'کاربر صدور', 0, 0, 1, 1, 1, 0, 1, 0);
INSERT INTO P_TSanduq (CASH_CD, MOJUDI, CASH_DSC) VALUES (1, 5000000, N'صندوق مرکزي');
INSERT INTO P_TSanduq (CASH_CD, MOJUDI, CASH_DSC) VALUES (2, 0, N'صندوق شعبه');
INSERT INTO P_Cash_Users (CK, CASH_CD, CASH_DSC, NK) VALUES (1, 1, N'صندوق مرکزي', N'مدير سيستم');
INSERT INTO P_Cash_Users (CK, CASH_CD, CASH_DSC, NK) VALUES (1, 2, N'صندوق شعبه', N'مدير سيستم');
INSERT INTO P_Cash_Users (CK, CASH_CD, CASH_DSC, NK) VALUES (2, 1, N'صندوق مرکزي', N'کاربر صدور');
INSERT INTO P_THESAB_BANKI (ID, SHHesab, NBANK, NSHOBEH, NSahebHesab, Mojudi_Avaliye) VALUES (1, '0112233445', N'ملت', N'شعبه مرکزي', N'دفتر نمايندگي بيمه آرمان', 50000000);
INSERT INTO P_THESAB_BANKI (ID, SHHesab, NBANK, NSHOBEH, NSahebHesab, Mojudi_Avaliye) VALUES (2, '0209876543', N'ملي', N'شعبه ونک', N'دفتر نمايندگي بيمه آرمان', NULL);
INSERT INTO P_Bank (ID, NBank, CDBank) VALUES (1, N'ملي', 1017);
INSERT INTO P_Bank (ID, NBank, CDBank) VALUES (2, N'ملت', 1012);
INSERT INTO P_Bank (ID, NBank, CDBank) VALUES (3, N'صادرات', 1019);
INSERT INTO P_Bank (ID, NBank, CDBank) VALUES (4, N'تجارت', 1018);
INSERT INTO P_Bank (ID, NBank, CDBank) VALUES (5, N'سپه', 1015);

-- Policies. Life policies pay no tax; 1402-41-000003 has no term in years yet (LEN_OMR).
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1401-41-000017', 1, 1, N'صدور بيمه نامه ', '1401/09/01', '09:30:00', 4, N'عمر و سرمايه گذاري', 3, N'اشخاص', 102, N'فاطمه احمدي', 0, NULL, 0, 0, '1401/09/01', '1421/09/01', N'بيمه عمر بيست ساله', 12000000, 0, 0, 12000000, 12000000, 960000, 8, 0, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, 0, 0, 0, 4, NULL, 1, N'مدير سيستم', 0, 1, 1, 3, N'بيمه مهرگان', NULL, NULL, NULL, 20, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-11-000451', 2, 1, N'صدور بيمه نامه ', '1402/01/15', '10:05:12', 1, N'شخص ثالث', 1, N'اتومبيل', 101, N'علي رضايي', 201, N'مهدي صادقي', 20, 200000, '1402/01/15', '1403/01/15', N'پژو 206 پلاک 12ب345 ايران 22', 10000000, 0, 0, 10900000, 10900000, 1000000, 10, 0, 0, 6, 600000, 3, 300000, 900000, 0, 1, 1, 10900000, 9900000, 1, NULL, NULL, 1, N'مدير سيستم', 0, 0, 1, 1, N'بيمه سپهر', NULL, NULL, NULL, NULL, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-12-000087', 3, 1, N'صدور بيمه نامه ', '1402/02/03', '11:32:40', 2, N'بدنه اتومبيل', 1, N'اتومبيل', 102, N'فاطمه احمدي', 202, N'ناصر قاسمي', 25, 600000, '1402/02/03', '1403/02/03', N'تيبا پلاک 45ج678 ايران 10', 20000000, 0, 0, 21800000, 21800000, 2400000, 12, 0, 0, 6, 1200000, 3, 600000, 1800000, 0, 2, 2, 16800000, 19400000, 0, 1, NULL, 2, N'کاربر صدور', 0, 0, 1, 2, N'بيمه آرين', NULL, NULL, NULL, NULL, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-31-000015', 4, 1, N'صدور بيمه نامه ', '1402/03/10', '12:10:00', 3, N'آتش سوزي منازل', 2, N'اموال', 103, N'محمد حسيني', 0, NULL, 0, 0, '1402/03/10', '1403/03/10', N'آپارتمان 120 متري کرج', 3000000, 0, 0, 3270000, 3270000, 450000, 15, 0, 0, 6, 180000, 3, 90000, 270000, 0, NULL, NULL, 3270000, 0, 0, NULL, NULL, 1, N'مدير سيستم', 0, 0, 1, 1, N'بيمه سپهر', NULL, NULL, NULL, NULL, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-41-000003', 5, 1, N'صدور بيمه نامه ', '1402/03/15', '10:45:00', 4, N'عمر و سرمايه گذاري', 3, N'اشخاص', 104, N'زهرا کريمي', 201, N'مهدي صادقي', 20, 384000, '1402/03/15', '1422/03/15', N'پرداخت ماهانه', 24000000, 0, 0, 24000000, 24000000, 1920000, 8, 0, 0, 0, 0, 0, 0, 0, 0, NULL, NULL, 2000000, 0, 0, 2, NULL, 1, N'مدير سيستم', 0, 1, 1, 3, N'بيمه مهرگان', NULL, NULL, NULL, NULL, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-11-000502', 6, 1, N'صدور بيمه نامه ', '1402/04/01', '09:20:00', 1, N'شخص ثالث', 1, N'اتومبيل', 105, N'حسن موسوي', 0, NULL, 0, 0, '1402/04/01', '1403/04/01', N'پرايد پلاک 77د123 ايران 44', 8000000, 0, 0, 8720000, 8720000, 800000, 10, 0, 0, 6, 480000, 3, 240000, 720000, 0, 4, NULL, 8720000, 0, 1, NULL, NULL, 2, N'کاربر صدور', 0, 0, 1, 2, N'بيمه آرين', NULL, NULL, NULL, NULL, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-51-000021', 7, 1, N'صدور بيمه نامه ', '1402/04/20', '13:05:00', 5, N'درمان تکميلي', 3, N'اشخاص', 106, N'مريم جعفري', 201, N'مهدي صادقي', 20, 150000, '1402/04/20', '1403/04/20', N'خانواده سه نفره', 15000000, 0, 0, 16350000, 16350000, 750000, 5, 0, 0, 6, 900000, 3, 450000, 1350000, 0, NULL, NULL, 0, 0, 0, NULL, NULL, 1, N'مدير سيستم', 0, 0, 1, 1, N'بيمه سپهر', NULL, NULL, NULL, NULL, 1);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-12-000133', 8, 1, N'صدور بيمه نامه ', '1402/05/11', '16:40:00', 2, N'بدنه اتومبيل', 1, N'اتومبيل', 107, N'رضا نوري', 202, N'ناصر قاسمي', 25, 900000, '1402/05/11', '1403/05/11', N'دنا پلاس پلاک 21ه456 ايران 77', 30000000, 0, 0, 32700000, 32700000, 3600000, 12, 0, 0, 6, 1800000, 3, 900000, 2700000, 0, 6, NULL, 32700000, 29100000, 0, NULL, 3, 1, N'مدير سيستم', 0, 0, 1, 3, N'بيمه مهرگان', NULL, NULL, NULL, NULL, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-31-000022', 9, 1, N'صدور بيمه نامه ', '1402/06/01', '10:00:00', 3, N'آتش سوزي منازل', 2, N'اموال', 108, N'سارا محمدي', 0, NULL, 0, 0, '1402/06/01', '1403/06/01', N'منزل مسکوني اصفهان', 2000000, 0, 0, 2180000, 2180000, 300000, 15, 0, 0, 6, 120000, 3, 60000, 180000, 0, NULL, NULL, 0, 0, 0, NULL, NULL, 2, N'کاربر صدور', 0, 0, 1, 2, N'بيمه آرين', NULL, 1, NULL, NULL, 0);
INSERT INTO Sudur (SH_B, SH_SANAD, CA, NA, TA_SUDUR, SA, CB, NB, CGB, NGB, CTH, NTH, Pursant_Codu, PURSANT_AD, PURSANT_PERCENT, MAB_PURSANT, BASHLANISH, QURTULUSH, toz, MAB_BIMEH, TAKH, TAKH_PER, JMBIMEH, MN_SUDUR, mab_karmozd, per_karmozd, per_kasr_karmozd, mab_kasr_karmozd, PER_MALIYAT, MAB_MALIYAT, PER_AVAREZ, MAB_AVAREZ, JMMaliyat, JJarimeh, SH_R, SH_RP, JKDaryafti, JKPardakhti, vaz_tasviye, SH_A, SH_AP, CK, NK, IS_SALES, IS_LIFE, IS_SUDUR, INS_COM_CD, INS_COM_DSC, ID_EHBTH_NORMAL, ID_EHBTH_ONLINE, TOZ1, LEN_OMR, IS_Credit_Pay) VALUES ('1402-11-000610', 10, 1, N'صدور بيمه نامه ', '1402/07/05', '11:15:00', 1, N'شخص ثالث', 1, N'اتومبيل', 101, N'علي رضايي', 201, N'مهدي صادقي', 20, 120000, '1402/07/05', '1403/07/05', N'سمند پلاک 66ط789 ايران 20', 6000000, 0, 0, 6540000, 6540000, 600000, 10, 0, 0, 6, 360000, 3, 180000, 540000, 0, NULL, 5, 0, 5940000, 0, NULL, NULL, 1, N'مدير سيستم', 0, 0, 1, 1, N'بيمه سپهر', 2, NULL, NULL, NULL, 0);

-- Receipts from policyholders: paid at issue (the policy names the receipt) or later (the
-- receipt names the policy).
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (1, '1402/01/15', '10:12:30', N'صدور بيمه نامه شخص ثالث', 2, 101, N'علي رضايي', 10900000, 0, 0, 0, 0, 10900000, N'پرداخت نقدي در دفتر', NULL, 1, N'مدير سيستم', NULL, 2, NULL);
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (2, '1402/02/03', '11:40:00', N'پيش پرداخت بيمه نامه بدنه', 2, 102, N'فاطمه احمدي', 5000000, 6800000, 0, 0, 0, 11800000, N'مانده در دو قسط', NULL, 2, N'کاربر صدور', NULL, 3, NULL);
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (3, '1402/03/25', '09:15:00', N'حق بيمه آتش سوزي', 2, 103, N'محمد حسيني', 0, 0, 3270000, 0, 0, 3270000, N'واريز به حساب بانک ملت', NULL, 1, N'مدير سيستم', NULL, NULL, '1402-31-000015');
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (4, '1402/04/01', '09:25:00', N'صدور بيمه نامه شخص ثالث', 2, 105, N'حسن موسوي', 0, 8720000, 0, 0, 0, 8720000, N'يک فقره چک', NULL, 2, N'کاربر صدور', NULL, NULL, NULL);
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (5, '1402/05/02', '15:00:00', N'جايگزين چک برگشتي', 2, 105, N'حسن موسوي', 8720000, 0, 0, 0, 0, 8720000, NULL, NULL, 1, N'مدير سيستم', NULL, NULL, '1402-11-000502');
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (6, '1402/05/11', '16:45:00', N'صدور بيمه نامه بدنه', 2, 107, N'رضا نوري', 0, 32700000, 0, 0, 0, 32700000, N'دو فقره چک', NULL, 1, N'مدير سيستم', NULL, NULL, NULL);
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (7, '1402/03/03', '10:00:00', N'قسط اول بيمه نامه بدنه', 2, 102, N'فاطمه احمدي', 5000000, 0, 0, 0, 0, 5000000, NULL, NULL, 2, N'کاربر صدور', NULL, NULL, NULL);
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (8, '1402/06/15', '11:30:00', N'قسط بيمه عمر', 2, 104, N'زهرا کريمي', 2000000, 0, 0, 0, 0, 2000000, NULL, NULL, 1, N'مدير سيستم', NULL, NULL, NULL);
INSERT INTO A_DARYAFT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, INDIRIM, ARTIRIM, JKOL, [TO], [ADD], CK, NK, AKH_TA, SHO_SANAD, Babat_SH_B) VALUES (9, '1402/07/20', '12:20:00', N'حق بيمه شخص ثالث', 2, 101, N'علي رضايي', 0, 6540000, 0, 0, 0, 6540000, NULL, NULL, 1, N'مدير سيستم', NULL, NULL, '1402-11-000610');

-- Cheques received, keyed by serial. Three carry no series number yet (empty or missing).
INSERT INTO A_CDARYAFTI (SHSERIAL, SH_R, SH_RM, SH_RB, SH_RMB, SHHESAB, NSHESAB, NBANK, CDBank, NSHOBEH, CDSHOBEH, SeriNo, SayyadNo, MABLAGH, TASARRESID, CA, NA, VAZ, IS_SANDUQ, CTH, NTH, ADOREH, SHO_SANAD, CG) VALUES ('1234567', 2, NULL, NULL, NULL, '0101556677', N'فاطمه احمدي', N'ملي', 1017, N'شعبه پاسداران', '1234', '24/9', '1402100012345678', 6800000, '1402/03/03', 2, N'دريافت چک', N'وصول شده', 0, 102, N'فاطمه احمدي', 0, 3, 2);
INSERT INTO A_CDARYAFTI (SHSERIAL, SH_R, SH_RM, SH_RB, SH_RMB, SHHESAB, NSHESAB, NBANK, CDBank, NSHOBEH, CDSHOBEH, SeriNo, SayyadNo, MABLAGH, TASARRESID, CA, NA, VAZ, IS_SANDUQ, CTH, NTH, ADOREH, SHO_SANAD, CG) VALUES ('2233441', 4, NULL, 10, NULL, '0203334455', N'حسن موسوي', N'تجارت', 1018, N'شعبه نارمک', '0877', '', '1402100023456789', 8720000, '1402/04/15', 2, N'دريافت چک', N'برگشت خورده', 0, 105, N'حسن موسوي', 0, NULL, 2);
INSERT INTO A_CDARYAFTI (SHSERIAL, SH_R, SH_RM, SH_RB, SH_RMB, SHHESAB, NSHESAB, NBANK, CDBank, NSHOBEH, CDSHOBEH, SeriNo, SayyadNo, MABLAGH, TASARRESID, CA, NA, VAZ, IS_SANDUQ, CTH, NTH, ADOREH, SHO_SANAD, CG) VALUES ('3345000', 6, NULL, NULL, NULL, '0305551122', N'رضا نوري', N'صادرات', 1019, N'شعبه تجريش', '0456', NULL, '1402100034567890', 18150000, '1402/08/11', 2, N'دريافت چک', N'وصول نشده', 0, 107, N'رضا نوري', 0, NULL, 2);
INSERT INTO A_CDARYAFTI (SHSERIAL, SH_R, SH_RM, SH_RB, SH_RMB, SHHESAB, NSHESAB, NBANK, CDBank, NSHOBEH, CDSHOBEH, SeriNo, SayyadNo, MABLAGH, TASARRESID, CA, NA, VAZ, IS_SANDUQ, CTH, NTH, ADOREH, SHO_SANAD, CG) VALUES ('3345001', 6, NULL, NULL, NULL, '0305551122', N'رضا نوري', N'صادرات', 1019, N'شعبه تجريش', '0456', '12', '1402100034567891', 14550000, '1402/07/11', 2, N'دريافت چک', N'خرج شده', 0, 107, N'رضا نوري', 0, NULL, 2);
INSERT INTO A_CDARYAFTI (SHSERIAL, SH_R, SH_RM, SH_RB, SH_RMB, SHHESAB, NSHESAB, NBANK, CDBank, NSHOBEH, CDSHOBEH, SeriNo, SayyadNo, MABLAGH, TASARRESID, CA, NA, VAZ, IS_SANDUQ, CTH, NTH, ADOREH, SHO_SANAD, CG) VALUES ('5566778', 9, NULL, NULL, NULL, '0406667788', N'علي رضايي', N'سپه', 1015, N'شعبه گلبرگ', '2210', '', NULL, 6540000, '1402/08/20', 2, N'دريافت چک', N'عودت يافته', 0, 101, N'علي رضايي', 0, NULL, 2);

-- Payments to the insurers and the cheques paid: one of the office's own, one passed on
-- from a policyholder (IS_ASH), one not yet cleared.
INSERT INTO A_PARDAKHT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, JCHASHKHAS, JKOL, [TO], CK, NK, SHO_SANAD, Babat_SH_B) VALUES (1, '1402/01/20', '12:00:00', N'تسويه حق بيمه', 1, 1, N'بيمه سپهر', 9900000, 0, 0, 0, 9900000, N'بيمه نامه 1402-11-000451', 1, N'مدير سيستم', NULL, NULL);
INSERT INTO A_PARDAKHT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, JCHASHKHAS, JKOL, [TO], CK, NK, SHO_SANAD, Babat_SH_B) VALUES (2, '1402/02/10', '13:30:00', N'تسويه حق بيمه', 1, 2, N'بيمه آرين', 0, 0, 19400000, 0, 19400000, N'بيمه نامه 1402-12-000087', 1, N'مدير سيستم', NULL, NULL);
INSERT INTO A_PARDAKHT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, JCHASHKHAS, JKOL, [TO], CK, NK, SHO_SANAD, Babat_SH_B) VALUES (3, '1402/06/01', '10:30:00', N'قسط اول', 1, 3, N'بيمه مهرگان', 0, 14550000, 0, 0, 14550000, N'بيمه نامه 1402-12-000133', 1, N'مدير سيستم', NULL, NULL);
INSERT INTO A_PARDAKHT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, JCHASHKHAS, JKOL, [TO], CK, NK, SHO_SANAD, Babat_SH_B) VALUES (4, '1402/07/11', '09:45:00', N'قسط دوم', 1, 3, N'بيمه مهرگان', 0, 0, 0, 14550000, 14550000, N'چک رضا نوري', 1, N'مدير سيستم', NULL, NULL);
INSERT INTO A_PARDAKHT (SH_R, TA, SA, BABAT, CG, CTH, NTH, JNAQD, JCHEK, JHAVALEH, JCHASHKHAS, JKOL, [TO], CK, NK, SHO_SANAD, Babat_SH_B) VALUES (5, '1402/07/25', '14:10:00', N'تسويه حق بيمه', 1, 1, N'بيمه سپهر', 0, 5940000, 0, 0, 5940000, NULL, 1, N'مدير سيستم', NULL, '1402-11-000610');
INSERT INTO A_CPARDAKHTI (SHSERIAL, SH_R, SHHESAB, NSHESAB, NBANK, NSHOBEH, MABLAGH, TASARRESID, CA, NA, VAZ, IS_ASH, CG, CTH, NTH, ADOREH) VALUES ('771201', 3, '0112233445', N'دفتر نمايندگي بيمه آرمان', N'ملت', N'شعبه مرکزي', 14550000, '1402/06/20', 3, N'پرداخت چک', N'پاس شده', 0, 1, 3, N'بيمه مهرگان', 0);
INSERT INTO A_CPARDAKHTI (SHSERIAL, SH_R, SHHESAB, NSHESAB, NBANK, NSHOBEH, MABLAGH, TASARRESID, CA, NA, VAZ, IS_ASH, CG, CTH, NTH, ADOREH) VALUES ('3345001', 4, '0305551122', N'رضا نوري', N'صادرات', N'شعبه تجريش', 14550000, '1402/07/11', 3, N'خرج چک اشخاص', N'خرج شده', 1, 1, 3, N'بيمه مهرگان', 0);
INSERT INTO A_CPARDAKHTI (SHSERIAL, SH_R, SHHESAB, NSHESAB, NBANK, NSHOBEH, MABLAGH, TASARRESID, CA, NA, VAZ, IS_ASH, CG, CTH, NTH, ADOREH) VALUES ('771202', 5, '0112233445', N'دفتر نمايندگي بيمه آرمان', N'ملت', N'شعبه مرکزي', 5940000, '1402/08/25', 3, N'پرداخت چک', N'پاس نشده', 0, 1, 1, N'بيمه سپهر', 0);

-- Cash book (CA 2 in, 3 out) and bank book; the bank book's key ID is this version's.
INSERT INTO A_GMSANDUQ (SH_R, CA, NA, CTH, NTH, CG, TA, CS, NS, BED, BES, SH_Fish, SA) VALUES (1, 2, N'دريافت نقد طي رسيد 1', 101, N'علي رضايي', 2, '1402/01/15', 1, N'صندوق مرکزي', 10900000, 0, NULL, '10:12:30');
INSERT INTO A_GMSANDUQ (SH_R, CA, NA, CTH, NTH, CG, TA, CS, NS, BED, BES, SH_Fish, SA) VALUES (2, 2, N'دريافت نقد طي رسيد 2', 102, N'فاطمه احمدي', 2, '1402/02/03', 1, N'صندوق مرکزي', 5000000, 0, NULL, '11:40:00');
INSERT INTO A_GMSANDUQ (SH_R, CA, NA, CTH, NTH, CG, TA, CS, NS, BED, BES, SH_Fish, SA) VALUES (5, 2, N'دريافت نقد طي رسيد 5', 105, N'حسن موسوي', 2, '1402/05/02', 1, N'صندوق مرکزي', 8720000, 0, NULL, '15:00:00');
INSERT INTO A_GMSANDUQ (SH_R, CA, NA, CTH, NTH, CG, TA, CS, NS, BED, BES, SH_Fish, SA) VALUES (7, 2, N'دريافت نقد طي رسيد 7', 102, N'فاطمه احمدي', 2, '1402/03/03', 2, N'صندوق شعبه', 5000000, 0, NULL, '10:00:00');
INSERT INTO A_GMSANDUQ (SH_R, CA, NA, CTH, NTH, CG, TA, CS, NS, BED, BES, SH_Fish, SA) VALUES (8, 2, N'دريافت نقد طي رسيد 8', 104, N'زهرا کريمي', 2, '1402/06/15', 1, N'صندوق مرکزي', 2000000, 0, NULL, '11:30:00');
INSERT INTO A_GMSANDUQ (SH_R, CA, NA, CTH, NTH, CG, TA, CS, NS, BED, BES, SH_Fish, SA) VALUES (1, 3, N'پرداخت نقد طي رسيد 1', 1, N'بيمه سپهر', 1, '1402/01/20', 1, N'صندوق مرکزي', 0, 9900000, NULL, '12:00:00');
INSERT INTO A_GHAVALEH (SH_R, CA, NA, TA, SH_HESAB, NBANK, SH_Fish, MAB_SANAD, ID, SA) VALUES (3, 2, N'دريافت حواله طي رسيد 3', '1402/03/25', '0112233445', N'ملت', '884512', 3270000, 1, '09:15:00');
INSERT INTO A_GHAVALEH (SH_R, CA, NA, TA, SH_HESAB, NBANK, SH_Fish, MAB_SANAD, ID, SA) VALUES (2, 3, N'پرداخت حواله طي رسيد 2', '1402/02/10', '0112233445', N'ملت', '990133', 19400000, 2, '13:30:00');
INSERT INTO A_GHAVALEH (SH_R, CA, NA, TA, SH_HESAB, NBANK, SH_Fish, MAB_SANAD, ID, SA) VALUES (1, 11, N'انتقال وجه از صندوق به بانک طي برگه 1', '1402/02/05', '0112233445', N'ملت', '770021', 15000000, 3, '16:00:00');

-- Transfers, deposits and debt moves between parties.
INSERT INTO A_ENTEQAL (ID, HP, HD, NHP, NHD, SH_RP, SH_RD, TA, SA, MABLAGH, BABAT, kind, CK, NK, SHO_SANAD) VALUES (1, '1', '0112233445', N'صندوق مرکزي', N'بانک ملت 0112233445', NULL, 1, '1402/02/05', '16:00:00', 15000000, N'واريز وجوه صندوق به حساب بانکي', 'S2H', 1, N'مدير سيستم', NULL);
INSERT INTO A_EHBTH (ID, TA, MAB, SHARH, SHARH2, CG_BED, CTH_BED, NTH_BED, CG_BES, CTH_BES, NTH_BES, CK, NK) VALUES (1, '1402/06/01', 2180000, N'واريز آنلاين حق بيمه نامه 1402-31-000022', NULL, 1, 2, N'بيمه آرين', 2, 108, N'سارا محمدي', 2, N'کاربر صدور');
INSERT INTO A_EHBTH (ID, TA, MAB, SHARH, SHARH2, CG_BED, CTH_BED, NTH_BED, CG_BES, CTH_BES, NTH_BES, CK, NK) VALUES (2, '1402/07/10', 6540000, N'انتقال بدهي بيمه نامه 1402-11-000610', N'به درخواست بيمه گذار', 2, 102, N'فاطمه احمدي', 2, 101, N'علي رضايي', 1, N'مدير سيستم');

-- Instalment plans: receivable, life, payable to the insurer, and one carried over from the
-- previous year.
INSERT INTO A_AQSAT (SH_A, SH_B, CTH, NTH, CG, NG, TA, TA_FIRST, TA_LAST, QEST_NUM, QEST_COUNTER, JMAB_AQSAT, JMAN_AQSAT, AVE_MQEST, CK, NK, JMBIMEH, JKDARYAFTI, JKPARDAKHTI, IS_ADOREH, TOZIH, NOE_AQSAT, PER_YEAR, PER_karmozd, DISTANCE) VALUES (1, '1402-12-000087', 102, N'فاطمه احمدي', 2, N'مشتريان', '1402/02/03', '1402/03/03', '1402/04/03', 2, 2, 10000000, 5000000, 5000000, 2, N'کاربر صدور', 21800000, 16800000, 0, 0, N'مانده حق بيمه بدنه', N'دريافتني', 0, 12, N'ماهانه');
INSERT INTO A_AQSAT (SH_A, SH_B, CTH, NTH, CG, NG, TA, TA_FIRST, TA_LAST, QEST_NUM, QEST_COUNTER, JMAB_AQSAT, JMAN_AQSAT, AVE_MQEST, CK, NK, JMBIMEH, JKDARYAFTI, JKPARDAKHTI, IS_ADOREH, TOZIH, NOE_AQSAT, PER_YEAR, PER_karmozd, DISTANCE) VALUES (2, '1402-41-000003', 104, N'زهرا کريمي', 2, N'مشتريان', '1402/03/15', '1402/06/15', '1402/09/15', 12, 4, 24000000, 22000000, 2000000, 1, N'مدير سيستم', 24000000, 2000000, 0, 0, N'اقساط سال اول', N'بيمه هاي عمر', 0, 8, N'ماهانه');
INSERT INTO A_AQSAT (SH_A, SH_B, CTH, NTH, CG, NG, TA, TA_FIRST, TA_LAST, QEST_NUM, QEST_COUNTER, JMAB_AQSAT, JMAN_AQSAT, AVE_MQEST, CK, NK, JMBIMEH, JKDARYAFTI, JKPARDAKHTI, IS_ADOREH, TOZIH, NOE_AQSAT, PER_YEAR, PER_karmozd, DISTANCE) VALUES (3, '1402-12-000133', 3, N'بيمه مهرگان', 1, N'شرکتهاي بيمه', '1402/05/11', '1402/06/20', '1402/07/11', 2, 2, 29100000, 0, 14550000, 1, N'مدير سيستم', 32700000, 0, 29100000, 0, N'تسويه با شرکت', N'پرداختني', 0, 12, N'دو ماهه');
INSERT INTO A_AQSAT (SH_A, SH_B, CTH, NTH, CG, NG, TA, TA_FIRST, TA_LAST, QEST_NUM, QEST_COUNTER, JMAB_AQSAT, JMAN_AQSAT, AVE_MQEST, CK, NK, JMBIMEH, JKDARYAFTI, JKPARDAKHTI, IS_ADOREH, TOZIH, NOE_AQSAT, PER_YEAR, PER_karmozd, DISTANCE) VALUES (4, '1401-41-000017', 102, N'فاطمه احمدي', 2, N'مشتريان', '1401/09/01', '1401/10/01', '1402/09/01', 12, 1, 12000000, 1000000, 1000000, 1, N'مدير سيستم', 12000000, 11000000, 0, 1, N'انتقالي سال مالي گذشته', N'بيمه هاي عمر', 0, 8, N'ماهانه');

-- Instalments. The lines numbered in RowID kept their numbers; the others predate it.
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (1, 7, NULL, NULL, NULL, '1402/03/03', 5000000, 1402, N'تسويه شده', 0, NULL, 0, 0, 1);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (1, NULL, NULL, NULL, NULL, '1402/04/03', 5000000, 1402, N'معوق', 0, NULL, 5000000, 0, NULL);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (2, 11, NULL, NULL, NULL, '1402/06/15', 2000000, 1402, N'تسويه شده', 0, NULL, 0, 0, 2);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (2, NULL, NULL, NULL, NULL, '1402/07/15', 2000000, 1402, N'معوق', 0, NULL, 2000000, 0, NULL);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (2, NULL, NULL, NULL, NULL, '1402/08/15', 2000000, 1402, N'جاري', 0, NULL, 2000000, 0, NULL);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (2, NULL, NULL, NULL, NULL, '1402/09/15', 2000000, 1402, N'جاري', 0, NULL, 2000000, 1, 3);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (3, NULL, 3, NULL, NULL, '1402/06/20', 14550000, 1402, N'تسويه شده', 0, NULL, 0, 0, 4);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (3, NULL, 4, NULL, NULL, '1402/07/11', 14550000, 1402, N'تسويه شده', 0, NULL, 0, 0, NULL);
INSERT INTO A_Sharh_Aqsat (SH_A, SH_R, SH_RP, SH_T, SH_RPursant, TA_QEST, MAB_QEST, [Year], VAZ, SELECTED, SH_R2, MAN_QEST, IS_Canceled, RowID) VALUES (4, NULL, NULL, NULL, NULL, '1402/09/01', 1000000, 1402, N'جاري', 0, NULL, 1000000, 0, NULL);

-- Endorsements and a cancellation. Policy 1402-11-000451 has one endorsement numbered 1
-- and one without a number.
INSERT INTO A_FASQ (SH_B, SH_SANAD, CTH, NTH, CB, NB, CGB, CA, NA, TA, SA, MAB_PAYE, PER_MALIYAT, PER_AVAREZ, MALIYAT, JMAB, C_BAZARYAB, N_BAZARYAB, EMAL_BAZARYAB, SHARH, CK, NK, PER_BAZARYAB, MAB_BAZARYAB, PER_KARMOZD, MAB_KARMOZD, PER_KASR, SHO_SANAD, ins_com_cd, ins_com_dsc, SH_ID) VALUES ('1402-11-000451', 1, 101, N'علي رضايي', 1, N'شخص ثالث', 1, 5, N'سند الحاقيه', '1402/03/01', '11:00:00', 500000, 6, 3, 45000, 545000, 201, N'مهدي صادقي', 1, N'افزايش تعهدات مالي', 1, N'مدير سيستم', 20, 10000, 10, 50000, 0, NULL, 1, N'بيمه سپهر', 1);
INSERT INTO A_FASQ (SH_B, SH_SANAD, CTH, NTH, CB, NB, CGB, CA, NA, TA, SA, MAB_PAYE, PER_MALIYAT, PER_AVAREZ, MALIYAT, JMAB, C_BAZARYAB, N_BAZARYAB, EMAL_BAZARYAB, SHARH, CK, NK, PER_BAZARYAB, MAB_BAZARYAB, PER_KARMOZD, MAB_KARMOZD, PER_KASR, SHO_SANAD, ins_com_cd, ins_com_dsc, SH_ID) VALUES ('1402-11-000451', 2, 101, N'علي رضايي', 1, N'شخص ثالث', 1, 5, N'سند الحاقيه', '1402/06/10', '09:40:00', 0, 6, 3, 0, 0, 201, N'مهدي صادقي', 0, N'تغيير مالکيت خودرو', 2, N'کاربر صدور', 20, 0, 10, 0, 0, NULL, 1, N'بيمه سپهر', NULL);
INSERT INTO A_FASQ (SH_B, SH_SANAD, CTH, NTH, CB, NB, CGB, CA, NA, TA, SA, MAB_PAYE, PER_MALIYAT, PER_AVAREZ, MALIYAT, JMAB, C_BAZARYAB, N_BAZARYAB, EMAL_BAZARYAB, SHARH, CK, NK, PER_BAZARYAB, MAB_BAZARYAB, PER_KARMOZD, MAB_KARMOZD, PER_KASR, SHO_SANAD, ins_com_cd, ins_com_dsc, SH_ID) VALUES ('1402-12-000087', 3, 102, N'فاطمه احمدي', 2, N'بدنه اتومبيل', 1, 5, N'سند الحاقيه', '1402/04/10', '12:30:00', 1000000, 6, 3, 90000, 1090000, 202, N'ناصر قاسمي', 1, N'پوشش سرقت درجا', 2, N'کاربر صدور', 25, 30000, 12, 120000, 0, NULL, 2, N'بيمه آرين', 2);
INSERT INTO A_FASQ (SH_B, SH_SANAD, CTH, NTH, CB, NB, CGB, CA, NA, TA, SA, MAB_PAYE, PER_MALIYAT, PER_AVAREZ, MALIYAT, JMAB, C_BAZARYAB, N_BAZARYAB, EMAL_BAZARYAB, SHARH, CK, NK, PER_BAZARYAB, MAB_BAZARYAB, PER_KARMOZD, MAB_KARMOZD, PER_KASR, SHO_SANAD, ins_com_cd, ins_com_dsc, SH_ID) VALUES ('1402-11-000610', 4, 101, N'علي رضايي', 1, N'شخص ثالث', 1, 5, N'سند فسخ', '1402/08/01', '10:10:00', -3000000, 6, 3, -270000, -3270000, 201, N'مهدي صادقي', 1, N'فسخ به درخواست بيمه گذار', 1, N'مدير سيستم', 20, -60000, 10, -300000, 0, NULL, 1, N'بيمه سپهر', NULL);

-- The ledger: issuance rows of two policies, receipts, a bounced cheque still under the
-- receipt code this version gave it, and a life instalment.
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (1, 1, 1, N'صدور بيمه نامه 2 _ شخص ثالث _ پژو 206', '1402-11-000451', 1, N'بيمه سپهر', '1402/01/15', '10:05:12', 1, N'شخص ثالث', 0, 20, 10, 0, 10900000, N'بستانکار', NULL, 1, N'مدير سيستم', 2, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (2, 2, 1, N'صدور بيمه نامه 2 _ شخص ثالث _ پژو 206', '1402-11-000451', 101, N'علي رضايي', '1402/01/15', '10:05:12', 1, N'شخص ثالث', 0, 20, 10, 10900000, 0, N'بدهکار', NULL, 1, N'مدير سيستم', 2, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (3, 1, 1, N'کارمزد بيمه نامه 2 _ علي رضايي _ شخص ثالث', '1402-11-000451', 1, N'بيمه سپهر', '1402/01/15', '10:05:12', 1, N'شخص ثالث', 0, 20, 10, 1000000, 0, N'بدهکار', NULL, 1, N'مدير سيستم', 2, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (4, 3, 1, N'پورسانت بيمه نامه 2 _ علي رضايي _ شخص ثالث', '1402-11-000451', 201, N'مهدي صادقي', '1402/01/15', '10:05:12', 1, N'شخص ثالث', 0, 20, 10, 0, 200000, N'بستانکار', NULL, 1, N'مدير سيستم', 2, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (5, 2, 2, N'دريافت طي رسيد 1', '1402-11-000451', 101, N'علي رضايي', '1402/01/15', '10:12:30', 1, N'شخص ثالث', 0, 0, 0, 0, 10900000, N'بستانکار', 1, 1, N'مدير سيستم', NULL, N'دريافت نقد');
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (6, 1, 1, N'صدور بيمه نامه 3 _ بدنه اتومبيل _ تيبا', '1402-12-000087', 2, N'بيمه آرين', '1402/02/03', '11:32:40', 2, N'بدنه اتومبيل', 0, 25, 12, 0, 21800000, N'بستانکار', NULL, 2, N'کاربر صدور', 3, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (7, 2, 1, N'صدور بيمه نامه 3 _ بدنه اتومبيل _ تيبا', '1402-12-000087', 102, N'فاطمه احمدي', '1402/02/03', '11:32:40', 2, N'بدنه اتومبيل', 0, 25, 12, 21800000, 0, N'بدهکار', NULL, 2, N'کاربر صدور', 3, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (8, 1, 1, N'کارمزد بيمه نامه 3 _ فاطمه احمدي _ بدنه اتومبيل', '1402-12-000087', 2, N'بيمه آرين', '1402/02/03', '11:32:40', 2, N'بدنه اتومبيل', 0, 25, 12, 2400000, 0, N'بدهکار', NULL, 2, N'کاربر صدور', 3, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (9, 3, 1, N'پورسانت بيمه نامه 3 _ فاطمه احمدي _ بدنه اتومبيل', '1402-12-000087', 202, N'ناصر قاسمي', '1402/02/03', '11:32:40', 2, N'بدنه اتومبيل', 0, 25, 12, 0, 600000, N'بستانکار', NULL, 2, N'کاربر صدور', 3, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (10, 2, 2, N'برگشت چک 2233441 بانک تجارت', '1402-11-000502', 105, N'حسن موسوي', '1402/04/16', '09:00:00', 1, N'شخص ثالث', 0, 0, 0, 8720000, 0, N'بدهکار', 4, 1, N'مدير سيستم', NULL, N'چک برگشتي');
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (11, 2, 13, N'واريز قسط بيمه عمر مورخ 1402/06/15', '1402-41-000003', 104, N'زهرا کريمي', '1402/06/15', '11:30:00', 4, N'عمر و سرمايه گذاري', 0, 20, 8, 160000, 2000000, N'بستانکار', 8, 1, N'مدير سيستم', NULL, NULL);
INSERT INTO A_GMTHESAB (ID, CG, CA, NA, SH_B, CTH, NTH, TA, SA, CB, NB, MAB_B, PER_BAZARYAB, per_daftar, BED, BES, RECOG, SH_R, CK, NK, SH_SANAD, SHARH) VALUES (12, 2, 2, N'دريافت طي رسيد 2', '1402-12-000087', 102, N'فاطمه احمدي', '1402/02/03', '11:40:00', 2, N'بدنه اتومبيل', 0, 0, 0, 0, 11800000, N'بستانکار', 2, 2, N'کاربر صدور', NULL, N'نقد و چک');

-- The earlier form of the voucher book, kept by the office beside the ledger.
INSERT INTO A_ASNAD (ID, TARTIB, TA, SHO_SANAD, KOL, CODE_HESABDARI, SHARH, BED, BES, MOIN, TAF) VALUES (1, 1, '1402/01/15', 2, N'موجودي نقد', '1101', N'دريافت نقد از علي رضايي طي رسيد 1', 10900000, 0, N'صندوق', N'صندوق مرکزي');
INSERT INTO A_ASNAD (ID, TARTIB, TA, SHO_SANAD, KOL, CODE_HESABDARI, SHARH, BED, BES, MOIN, TAF) VALUES (2, 2, '1402/01/15', 2, N'حسابهاي دريافتني', '1201', N'دريافت نقد از علي رضايي طي رسيد 1', 0, 10900000, N'بيمه گذاران', N'علي رضايي');
INSERT INTO A_ASNAD (ID, TARTIB, TA, SHO_SANAD, KOL, CODE_HESABDARI, SHARH, BED, BES, MOIN, TAF) VALUES (3, 1, '1402/02/03', 3, N'حسابهاي دريافتني', '1201', N'صدور بيمه نامه 1402-12-000087', 21800000, 0, N'بيمه گذاران', N'فاطمه احمدي');

-- Expenses and income with their kinds and groups.
INSERT INTO P_TGHAZINEH (CGH, NGH, SHARH) VALUES (1, N'هزينه هاي ثابت', '');
INSERT INTO P_TGHAZINEH (CGH, NGH, SHARH) VALUES (2, N'هزينه هاي غير ثابت', '');
INSERT INTO P_TGHAZINEH (CGH, NGH, SHARH) VALUES (3, N'هزينه هاي اداري', N'ملزومات و پذيرايي');
INSERT INTO P_THazineh (CH, NH, CG, NG, [TO]) VALUES (1, N'اجاره دفتر', 1, N'هزينه هاي ثابت', N'ماهانه');
INSERT INTO P_THazineh (CH, NH, CG, NG, [TO]) VALUES (2, N'قبض برق و تلفن', 2, N'هزينه هاي غير ثابت', NULL);
INSERT INTO P_THazineh (CH, NH, CG, NG, [TO]) VALUES (3, N'لوازم التحرير', 3, N'هزينه هاي اداري', NULL);
INSERT INTO P_TGDaramad (CGD, NGD, SHARH) VALUES (1, N'درآمدهاي عملياتي', NULL);
INSERT INTO P_TGDaramad (CGD, NGD, SHARH) VALUES (2, N'درآمدهاي غير عملياتي', NULL);
INSERT INTO P_TDaramad (CD, ND, SHARH, CG, NG) VALUES (1, N'درآمد کارمزد', N'کارمزد صدور بيمه نامه', 1, N'درآمدهاي عملياتي');
INSERT INTO P_TDaramad (CD, ND, SHARH, CG, NG) VALUES (2, N'سود سپرده بانکي', NULL, 2, N'درآمدهاي غير عملياتي');
INSERT INTO A_BHAZINEH (SHB, TA, SA, CH, NH, CGH, NG, [TO], MAB, SHRP, JNAQD, JCHS, JCHASH, JHAV, JMABP, CK, NK, SHO_SANAD, CTH, CGTH, NTH, IS_BEDEHI) VALUES (1, '1402/02/01', '09:00:00', 1, N'اجاره دفتر', 1, N'هزينه هاي ثابت', N'اجاره ارديبهشت ماه', 45000000, NULL, 45000000, 0, 0, 0, 45000000, 1, N'مدير سيستم', NULL, 0, 0, NULL, 0);
INSERT INTO A_BHAZINEH (SHB, TA, SA, CH, NH, CGH, NG, [TO], MAB, SHRP, JNAQD, JCHS, JCHASH, JHAV, JMABP, CK, NK, SHO_SANAD, CTH, CGTH, NTH, IS_BEDEHI) VALUES (2, '1402/02/15', '14:20:00', 2, N'قبض برق و تلفن', 2, N'هزينه هاي غير ثابت', N'قبض فروردين', 1850000, NULL, 1850000, 0, 0, 0, 1850000, 2, N'کاربر صدور', NULL, 0, 0, NULL, 0);
INSERT INTO A_BHAZINEH (SHB, TA, SA, CH, NH, CGH, NG, [TO], MAB, SHRP, JNAQD, JCHS, JCHASH, JHAV, JMABP, CK, NK, SHO_SANAD, CTH, CGTH, NTH, IS_BEDEHI) VALUES (3, '1402/03/01', '12:00:00', 3, N'لوازم التحرير', 3, N'هزينه هاي اداري', NULL, 620000, NULL, 620000, 0, 0, 0, 620000, 2, N'کاربر صدور', NULL, 0, 0, NULL, 0);
INSERT INTO A_BDaramad (SHB, TA, SA, CD, ND, SHARH, MAB, SHRD, JNAQD, JCH, JHAV, JMABD, CK, NK, SHO_SANAD, CTH, CGTH, NTH, IS_BESTANKARI) VALUES (1, '1402/03/31', '10:00:00', 2, N'سود سپرده بانکي', N'سود سپرده کوتاه مدت خرداد', 3200000, NULL, 0, 0, 3200000, 3200000, 1, N'مدير سيستم', NULL, 0, 0, NULL, 0);

-- Marketers' commission rates, tasks, the office's log and documents.
INSERT INTO P_TKarmozd (INS_CD, INS_DSC, BZR_CD, BZR_DSC, COM_CD, COM_DSC, PURSANT) VALUES (1, N'بيمه سپهر', 201, N'مهدي صادقي', 1, N'شخص ثالث', 20);
INSERT INTO P_TKarmozd (INS_CD, INS_DSC, BZR_CD, BZR_DSC, COM_CD, COM_DSC, PURSANT) VALUES (2, N'بيمه آرين', 202, N'ناصر قاسمي', 2, N'بدنه اتومبيل', 25);
INSERT INTO P_TKarmozd (INS_CD, INS_DSC, BZR_CD, BZR_DSC, COM_CD, COM_DSC, PURSANT) VALUES (3, N'بيمه مهرگان', 201, N'مهدي صادقي', 4, N'عمر و سرمايه گذاري', 20);
INSERT INTO P_TASK (ID, SHARH, BASHLANISH, QURTULUSH, STS, CK, NK) VALUES (1, N'پيگيري چک برگشتي حسن موسوي', '1402/04/16', '1402/04/30', '1', 1, N'مدير سيستم');
INSERT INTO P_TASK (ID, SHARH, BASHLANISH, QURTULUSH, STS, CK, NK) VALUES (2, N'تماس با فاطمه احمدي براي قسط معوق', '1402/04/05', '1402/04/10', '0', 2, N'کاربر صدور');
INSERT INTO P_Log (ID, CK, NK, SHARH, TA, SA, CG, CA) VALUES (1, 1, N'مدير سيستم', N'ورود به سيستم', '1402/01/15', '08:55:10', 0, 0);
INSERT INTO P_Log (ID, CK, NK, SHARH, TA, SA, CG, CA) VALUES (2, 1, N'مدير سيستم', N'صدور بيمه نامه 1402-11-000451', '1402/01/15', '10:05:12', 2, 1);
INSERT INTO P_Log (ID, CK, NK, SHARH, TA, SA, CG, CA) VALUES (3, 2, N'کاربر صدور', N'ويرايش رسيد دريافت 2', '1402/02/03', '11:45:00', 2, 2);
INSERT INTO P_Document (Image_ID, GRP1, GRP1_DSC, GRP2, GRP2_DSC, INS_DT, INS_USER, Image_Path, Image_DSC) VALUES (1, 'SUDUR', N'بيمه نامه', '1402-11-000451', N'علي رضايي', '1402/01/15', N'مدير سيستم', 'D:\MoravDocs\1402-11-000451_1.jpg', N'تصوير کارت خودرو');
INSERT INTO P_Document (Image_ID, GRP1, GRP1_DSC, GRP2, GRP2_DSC, INS_DT, INS_USER, Image_Path, Image_DSC) VALUES (2, 'SUDUR', N'بيمه نامه', '1402-51-000021', N'مريم جعفري', '1402/04/20', N'مدير سيستم', 'D:\MoravDocs\1402-51-000021_1.jpg', N'شناسنامه بيمه شدگان');

-- Projected life values, year by year.
INSERT INTO P_KAR_OMR (ID, sh_b, cth, cg, nth, year1, year2, year3, year4, year5, year6, year7, year8, year9, year10) VALUES (1, '1402-41-000003', 104, 2, N'زهرا کريمي', 24000000, 28800000, 34560000, 41472000, 49766400, 59719680, 71663616, 85996339, 103195607, 123834728);

-- Messaging: recipients, texts, a poll with its options, the outbox and its settings.
INSERT INTO P_OTHERS_SMS (NTH, MOB, Group_Name, TT) VALUES (N'کامران شريفي', '09124445566', N'همکاران', '1359/03/14');
INSERT INTO P_OTHERS_SMS (NTH, MOB, Group_Name, TT) VALUES (N'نرگس فرهادي', '09187770011', N'مشتريان بالقوه', NULL);
INSERT INTO P_SMS_TEXT ([TEXT], TEXT_TYPE) VALUES (N'بيمه نامه شما رو به پايان است; براي تمديد با دفتر تماس بگيريد.', N'تمديد');
INSERT INTO P_SMS_TEXT ([TEXT], TEXT_TYPE) VALUES (N'زادروزتان خجسته باد. دفتر نمايندگي بيمه آرمان', N'تبريک');
INSERT INTO T_SMS_Sendbox (FROM_NUM, TO_NUM, SMS_TEXT, SEND_DT, USER_VORKA, RESPONSE_ID, STS) VALUES ('30001234', '09121234567', N'زادروزتان خجسته باد. دفتر نمايندگي بيمه آرمان', '1402/05/10 09:00', N'مدير سيستم', '845123', N'ارسال شده');
INSERT INTO T_SMS_Sendbox (FROM_NUM, TO_NUM, SMS_TEXT, SEND_DT, USER_VORKA, RESPONSE_ID, STS) VALUES ('30001234', '09351234567', N'قسط بيمه نامه شما در تاريخ 1402/04/03 سررسيد مي شود.', '1402/03/29 09:00', N'مدير سيستم', '845190', N'ارسال شده');
INSERT INTO T_SMS_Inbox (FROM_NUM, TO_NUM, SMS_TEXT, Receive_DT, Receive_SA, USER_VORKA) VALUES ('09361112233', '30001234', '1', '1402/06/02', '10:30:00', NULL);
INSERT INTO T_SMS_Vote (VOTE_ID, VOTE_TITLE, BEGIN_DT, END_DT, IS_COMPETITION) VALUES (1, N'نظرسنجي رضايت از خدمات دفتر', '1402/06/01', '1402/06/30', 0);
INSERT INTO T_SMS_Vote_Dt (ID, VOTE_ID, SMS_OPTION, SMS_OPTION_SYNONYM, Auto_Response_Msg_Text, Auto_Response_Line_Num, IS_Correct) VALUES (1, 1, '1', N'راضي', N'از همراهي شما سپاسگزاريم', '30001234', 0);
INSERT INTO T_SMS_Vote_Dt (ID, VOTE_ID, SMS_OPTION, SMS_OPTION_SYNONYM, Auto_Response_Msg_Text, Auto_Response_Line_Num, IS_Correct) VALUES (2, 1, '2', N'ناراضي', N'همکاران ما با شما تماس مي گيرند', '30001234', 0);
INSERT INTO T_SMS_BlackList (MOB, NTH) VALUES ('09129998877', N'انصراف از دريافت پيامک');
INSERT INTO T_Auto_Response (ID, Receive_Text, Response_Text, BEGIN_DT, END_DT, sts) VALUES (1, N'ساعات کاري', N'شنبه تا چهارشنبه از ساعت 8 تا 16', '1402/01/01', '1402/12/29', N'فعال');
INSERT INTO T_Outbox_Config (ConfigID, MsgSts, MsgType, MsgText) VALUES (1, 1, 'BirthDate', N'زادروزتان خجسته باد. دفتر نمايندگي بيمه آرمان');
INSERT INTO T_Outbox_Config (ConfigID, MsgSts, MsgType, MsgText) VALUES (2, 1, 'InCheque', N'سررسيد چک شما نزديک است.');
INSERT INTO T_Outbox_Config (ConfigID, MsgSts, MsgType, MsgText) VALUES (3, 1, 'InQest', N'سررسيد قسط بيمه نامه شما نزديک است.');
INSERT INTO T_Outbox_Config (ConfigID, MsgSts, MsgType, MsgText) VALUES (4, 0, 'ExpireInsurance', N'بيمه نامه شما رو به پايان است.');
INSERT INTO T_Outbox_Config (ConfigID, MsgSts, MsgType, MsgText) VALUES (5, 0, 'NewInsurance', NULL);
INSERT INTO T_Outbox_Config (ConfigID, MsgSts, MsgType, MsgText) VALUES (6, 1, 'InQestLife', N'سررسيد قسط بيمه عمر شما نزديک است.');
INSERT INTO T_Outbox (MsgID, MsgText, MsgMobNum, MsgType, MsgSts, SendSts, ParentKey, InsDate, SendDate, InsTime, SendTime) VALUES (1, N'زادروزتان خجسته باد. دفتر نمايندگي بيمه آرمان', '09121234567', 'BirthDate', 1, 1, '101', 14020510, 14020510, '08:00:05', '09:00:00');
INSERT INTO T_Outbox (MsgID, MsgText, MsgMobNum, MsgType, MsgSts, SendSts, ParentKey, InsDate, SendDate, InsTime, SendTime) VALUES (2, N'سررسيد قسط بيمه نامه شما نزديک است.', '09351234567', 'InQest', 1, 0, '1', 14020329, NULL, '08:00:06', NULL);
INSERT INTO T_Outbox_Log (LogID, LogText, LogTime, LogType) VALUES (1, N'تهيه فهرست ارسال', '1402/05/10 08:00:05', 'Prepare');
INSERT INTO T_Outbox_Log (LogID, LogText, LogTime, LogType) VALUES (2, N'ارسال 1 پيامک', '1402/05/10 09:00:00', 'Send');

-- Offers and general lists; the offer table numbers its rows itself.
INSERT INTO T_Offers (CB, NB, CTH, NTH, SH_SH, NATIONAL_CD, TEL, MOB, ADR, TT, POST_CD, SYSTEM_TYPE_ID) VALUES (1, N'شخص ثالث', 107, N'رضا نوري', '5521', '0079876543', '02122001122', '09361112233', N'تهران، سعادت آباد، ميدان کاج', '1362/08/08', '1998765432', 1);
INSERT INTO T_General (CG, NG, ITEM_ID, ITEM_DSC, FATHER_ID) VALUES (1, N'نوع خودرو', 1, N'سواري', 0);
INSERT INTO T_General (CG, NG, ITEM_ID, ITEM_DSC, FATHER_ID) VALUES (1, N'نوع خودرو', 2, N'وانت', 0);
INSERT INTO T_General (CG, NG, ITEM_ID, ITEM_DSC, FATHER_ID) VALUES (2, N'کاربري', 1, N'شخصي', 0);

-- The voucher types as this version knew them; the upgrade replaces them all.
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (1, N'سند صدور بيمه نامه');
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (2, N'سند دريافت');
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (3, N'سند پرداخت');
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (4, N'سند تخفيف');
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (5, N'سند فسخ يا الحاقيه');
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (6, N'سند هزينه');
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (7, N'سند درآمد');
INSERT INTO P_Sanad_Type (Sanad_CD, Sanad_DSC) VALUES (8, N'سند انتقال');

-- Life wage rates per policy year; one rate has no insurer yet and one no year.
INSERT INTO P_TBimeh_Wage_DT (CB, Wage_Year, Wage_Percent, Issuer_Percent, Ins_com_cd) VALUES (4, N'سال اول', 30, 10, 3);
INSERT INTO P_TBimeh_Wage_DT (CB, Wage_Year, Wage_Percent, Issuer_Percent, Ins_com_cd) VALUES (4, N'سال دوم', 20, 8, 3);
INSERT INTO P_TBimeh_Wage_DT (CB, Wage_Year, Wage_Percent, Issuer_Percent, Ins_com_cd) VALUES (4, N'سال سوم', 15, 5, 3);
INSERT INTO P_TBimeh_Wage_DT (CB, Wage_Year, Wage_Percent, Issuer_Percent, Ins_com_cd) VALUES (4, N'سال چهارم و بعد', 10, 5, NULL);
INSERT INTO P_TBimeh_Wage_DT (CB, Wage_Year, Wage_Percent, Issuer_Percent, Ins_com_cd) VALUES (5, NULL, 5, 0, 1);

-- Advantages for introducers and customers, the insured of the health policy, credit lines.
INSERT INTO T_Advantage_Formulas (Formula_ID, CG, CTH, CB, NTH, NB, Amount, Amount_Type, Calc_Base) VALUES (1, 6, 301, 1, N'ليلا عباسي', N'شخص ثالث', 5, N'درصد', N'حق بيمه نهايي');
INSERT INTO T_Advantage_Formulas (Formula_ID, CG, CTH, CB, NTH, NB, Amount, Amount_Type, Calc_Base) VALUES (2, 2, 101, 1, N'علي رضايي', N'شخص ثالث', 3, N'درصد', N'حق بيمه خالص');
INSERT INTO T_Advantage_Formulas (Formula_ID, CG, CTH, CB, NTH, NB, Amount, Amount_Type, Calc_Base) VALUES (3, 6, 301, 3, N'ليلا عباسي', N'آتش سوزي منازل', 200000, N'مبلغ ثابت', NULL);
INSERT INTO T_Advantages (Adv_ID, SH_B, Formula_ID, Amount, Amount_Type, Calc_Base, IS_Moaref, ID_GMTH) VALUES (1, '1402-11-000451', 1, 5, N'درصد', N'حق بيمه نهايي', 1, 0);
INSERT INTO T_Advantages (Adv_ID, SH_B, Formula_ID, Amount, Amount_Type, Calc_Base, IS_Moaref, ID_GMTH) VALUES (2, '1402-11-000610', 2, 3, N'درصد', N'حق بيمه خالص', 0, 0);
INSERT INTO T_Advantages (Adv_ID, SH_B, Formula_ID, Amount, Amount_Type, Calc_Base, IS_Moaref, ID_GMTH) VALUES (3, '1402-31-000015', 3, 200000, N'مبلغ ثابت', NULL, 1, 0);
INSERT INTO T_Insured (SH_B, First_Name, Last_Name, RATIO, National_CD, Birth_Date, National_CD_Head) VALUES ('1402-51-000021', N'مريم', N'جعفري', N'اصلي', '0026789012', '1368/04/12', '0026789012');
INSERT INTO T_Insured (SH_B, First_Name, Last_Name, RATIO, National_CD, Birth_Date, National_CD_Head) VALUES ('1402-51-000021', N'امير', N'جعفري', N'همسر', '0027890123', '1364/07/25', '0026789012');
INSERT INTO T_Insured (SH_B, First_Name, Last_Name, RATIO, National_CD, Birth_Date, National_CD_Head) VALUES ('1402-51-000021', N'نيما', N'جعفري', N'فرزند', '0028901234', '1395/02/14', '0026789012');
INSERT INTO T_Credit_Cash (Cash_CD, Cash_DSC, INS_COM_CD, Credit_Roof, Credit_Length, Start_Date) VALUES (1, N'اعتبار بيمه سپهر', 1, 100000000, 90, '1402/01/01');
INSERT INTO T_Credit_Cash (Cash_CD, Cash_DSC, INS_COM_CD, Credit_Roof, Credit_Length, Start_Date) VALUES (2, N'اعتبار بيمه آرين', 2, 50000000, 60, '1402/01/01');
INSERT INTO T_Credit_Cash_History (SH_B, Cash_CD, Credit_Roof, Credit_Length, Close_ID) VALUES ('1402-51-000021', 1, 100000000, 90, NULL);

-- Health claims.
INSERT INTO P_TCure (CureID, CureDsc, CureSts) VALUES (1, N'بستري', 1);
INSERT INTO P_TCure (CureID, CureDsc, CureSts) VALUES (2, N'پاراکلينيکي', 1);
INSERT INTO P_TCure (CureID, CureDsc, CureSts) VALUES (3, N'دندانپزشکي', 0);
INSERT INTO T_CureCost (ID, PatientName, PatientNID, Relation, PatientPName, CostType, CostDate, CostAmount, SH_B, IsHospital, IsParaclinic, CureID, AttachFileDsc, AttachFileCnt, VerifierAmount, VerifierDsc, RecieverName, DeliveryName, InsDate, SendDate) VALUES (1, N'نيما جعفري', '0028901234', N'فرزند', N'امير', N'آزمايش خون', '1402/05/18', 1850000, '1402-51-000021', 0, 1, 2, N'نسخه و قبض آزمايشگاه', 2, 1850000, NULL, N'مريم جعفري', N'کاربر صدور', '1402/05/20', '1402/05/22');

-- User-defined policy fields, the fiscal year, an import pattern and the cheque layout.
INSERT INTO P_TField (Field_ID, CB, Field_Title, Field_Type, Field_Sts, CK, NK, Ta, Sa) VALUES (1, 2, N'شماره شاسي', N'رشته اي(متن)', N'فعال', 1, N'مدير سيستم', '1402/01/10', '09:00');
INSERT INTO P_TField (Field_ID, CB, Field_Title, Field_Type, Field_Sts, CK, NK, Ta, Sa) VALUES (2, 5, N'تعداد افراد تحت پوشش', N'عدد صحيح', N'فعال', 1, N'مدير سيستم', '1402/01/10', '09:05');
INSERT INTO P_FYC (Fyc_ID, Fyc_Title, Fyc_Value, Fyc_Sts, Fyc_Date) VALUES (1, N'سال مالي 1402', '1402', 1, '1402/01/01');
INSERT INTO T_Import_Pattern (PatternID, PatternDsc, PatternSts, F_SHB, F_NTH, F_NID, F_BeginDt, F_EndDt, F_InsurDt, F_Amount, F_Sudur_Dsc) VALUES (1, N'فايل صدور بيمه سپهر', 1, 'SHOMAREH', 'NAM', 'KODMELLI', 'AZ_TARIKH', 'TA_TARIKH', 'TARIKH_SODOOR', 'MABLAGH', 'RESHTEH+PELAK');
INSERT INTO P_SetCheck (ID, ShHesab, Left_Mab, Left_Vajh, Left_TSa, Left_MabH, Left_TSaH, Top_Mab, Top_Vajh, Top_TSa, Top_MabH, Top_TSaH, Left_NID, Top_NID, Left_Tozih, Top_Tozih, is_VisibleTozih, is_Tas_NetNum) VALUES (1, '0112233445', 40, 120, 420, 60, 380, 30, 70, 30, 110, 70, 300, 150, 120, 190, 1, 0);
INSERT INTO T_ReservedID (RserveDate, CK, CA, ResID) VALUES ('1402/06/01', 1, 2, 10);

-- The chart of accounts: groups (two-character codes), generals, subsidiaries and the detail
-- accounts of the entities, the forms and the entities' accounts. No root row yet.
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (1, '11', N'دارايي هاي جاري', 1, 1, 0, 0, N'بد', -1);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (2, '21', N'بدهي هاي جاري', 1, 1, 0, 0, N'بس', -1);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (3, '41', N'درآمدها', 1, 1, 0, 0, N'بس', -1);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (4, '51', N'هزينه ها', 1, 1, 0, 0, N'بد', -1);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (5, '01', N'موجودي نقد و بانک', 2, 1, 0, 0, N'بد', 1);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (6, '02', N'حسابهاي دريافتني', 2, 1, 0, 0, N'بد', 1);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (7, '01', N'حسابهاي پرداختني', 2, 1, 0, 0, N'بس', 2);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (8, '01', N'درآمد کارمزد', 2, 1, 0, 0, N'بس', 3);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (9, '01', N'هزينه هاي عملياتي', 2, 1, 0, 0, N'بد', 4);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (10, '0001', N'صندوق', 3, 1, 0, 0, N'بد', 5);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (11, '0002', N'بانکها', 3, 1, 0, 0, N'بد', 5);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (12, '0001', N'بيمه گذاران', 3, 1, 0, 0, N'بد', 6);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (13, '0002', N'اسناد دريافتني', 3, 1, 0, 0, N'بد', 6);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (14, '0001', N'شرکتهاي بيمه', 3, 1, 0, 0, N'بس', 7);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (15, '0002', N'اسناد پرداختني', 3, 1, 0, 0, N'بس', 7);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (16, '0003', N'بازاريابان', 3, 1, 0, 0, N'بس', 7);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (17, '0001', N'کارمزد صدور بيمه نامه', 3, 1, 0, 0, N'بس', 8);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (18, '0001', N'پورسانت بازاريابي', 3, 1, 0, 0, N'بد', 9);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (19, '00001', N'صندوق مرکزي', 4, 1, 0, 0, N'بس/بد', 10);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (20, '00001', N'بانک ملت 0112233445', 4, 1, 0, 0, N'بس/بد', 11);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (21, '00001', N'علي رضايي', 4, 1, 0, 0, N'بس/بد', 12);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (22, '00002', N'فاطمه احمدي', 4, 1, 0, 0, N'بس/بد', 12);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (23, '00001', N'بيمه سپهر', 4, 1, 0, 0, N'بس/بد', 14);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (24, '00002', N'بيمه آرين', 4, 1, 0, 0, N'بس/بد', 14);
INSERT INTO T_AccCode (ID, AccCode, AccCodeDsc, AccCodeLevel, AccCodeSts, AccCode_MA, AccCode_MN, AccCode_REC, FatherID) VALUES (25, '00001', N'مهدي صادقي', 4, 1, 0, 0, N'بس/بد', 16);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('FTCompany', N'شرکتهاي بيمه', 4, 1, 14);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('FTTHesab', N'بيمه گذاران', 4, 1, 12);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('FTBazaryab', N'بازاريابان', 4, 1, 16);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('FTSanduq', N'صندوقها', 4, 1, 10);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('FTHBanki', N'حسابهاي بانکي', 4, 1, 11);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('AccPardaxtani', N'واسط اسناد پرداختني', 3, 1, 15);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('AccDaryaftani', N'واسط اسناد دريافتني', 3, 1, 13);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('AccCommission', N'واسط درآمد کارمزد', 3, 1, 17);
INSERT INTO T_AccCode_Forms (FormName, FormDsc, FormLevel, FormSts, Form_FatherAccID) VALUES ('AccPursuant', N'واسط هزينه پورسانت', 3, 1, 18);
INSERT INTO T_AccCode_FormCode (FormName, AccID, FormCode) VALUES ('FTSanduq', 19, 1);
INSERT INTO T_AccCode_FormCode (FormName, AccID, FormCode) VALUES ('FTHBanki', 20, 1);
INSERT INTO T_AccCode_FormCode (FormName, AccID, FormCode) VALUES ('FTTHesab', 21, 101);
INSERT INTO T_AccCode_FormCode (FormName, AccID, FormCode) VALUES ('FTTHesab', 22, 102);
INSERT INTO T_AccCode_FormCode (FormName, AccID, FormCode) VALUES ('FTCompany', 23, 1);
INSERT INTO T_AccCode_FormCode (FormName, AccID, FormCode) VALUES ('FTCompany', 24, 2);
INSERT INTO T_AccCode_FormCode (FormName, AccID, FormCode) VALUES ('FTBazaryab', 25, 201);

-- Vouchers: the issuance of 1402-11-000451 and its receipt, and a generation that failed
-- because the policyholder has no account yet.
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (1, 1, N'بابت صدور بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 15, 10900000, 0, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (2, 1, N'بابت کارمزد صدور بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 23, 1000000, 0, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (3, 1, N'بابت صدور بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 23, 0, 10900000, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (4, 1, N'بابت کارمزد صدور بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 17, 0, 1000000, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (5, 1, N'بابت صدور بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 21, 10900000, 0, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (6, 1, N'بابت صدور بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 13, 0, 10900000, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (7, 1, N'بابت پورسانت بازاريابي بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 18, 200000, 0, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (8, 1, N'بابت پورسانت بازاريابي بيمه نامه به شماره: 1402-11-000451', '1402/01/15', '10:06:01', 25, 0, 200000, 1, '1402-11-000451', 'MV');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (9, 2, N'بابت رسيد دريافت به شماره: 1', '1402/01/15', '10:13:02', 21, 0, 10900000, 2, '1', 'DA');
INSERT INTO T_AccAsnad (ID, SanadID, SanadDsc, SanadDate, SanadTime, AccID, Bed, Bes, SanadType, SanadID_Form, SanadStatus) VALUES (10, 2, N'بابت دريافت نقد طي رسيد شماره: 1', '1402/01/15', '10:13:02', 19, 10900000, 0, 2, '1', 'DA');
INSERT INTO T_AccAsnad_Log (ID, SanadType, SanadID_Form, LogText, LogDate) VALUES (1, 1, '1402-31-000015', N'خطا!! : بدليل تعريف نشدن کد تفضيلي بيمه گذار == 103 == سند حسابداري صادر نگرديد.', '1402/03/10 12:10:31');

-- A prize draw over the year's policies.
INSERT INTO T_Lottery (LotteryID, LotteryDsc, LotterySts, LotteryDate, SudurAdvType, SudurBegDate, SudurEndDate, SudurFixAdv, SudurLowAmt, SudurLowAdv, SudurHighAmt, SudurHighAdv, SudurMidAdv, ElhaqFixAdv) VALUES (1, N'قرعه کشي پايان سال 1402', 1, '1402/12/20', 'FixAdv', '1402/01/01', '1402/12/29', 1, 0, 0, 0, 0, 0, 1);
INSERT INTO T_Lottery_Dt (ID, LotteryID, ServiceType, ServiceNum, CalcAdv) VALUES (1, 1, N'بيمه نامه::شخص ثالث', '1402-11-000451', 1);
INSERT INTO T_Lottery_Dt (ID, LotteryID, ServiceType, ServiceNum, CalcAdv) VALUES (2, 1, N'بيمه نامه::بدنه اتومبيل', '1402-12-000087', 1);
INSERT INTO T_Lottery_Dt (ID, LotteryID, ServiceType, ServiceNum, CalcAdv) VALUES (3, 1, N'الحاقيه', '1', 1);
INSERT INTO T_Lottery_Winner (ID, LotteryID, LotteryID_Dt, LotteryNum) VALUES (1, 1, 2, 2);
