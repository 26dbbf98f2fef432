#include "spreadsheet/formula.h"
#include "spreadsheet/spreadsheet_error.h"

#include <gtest/gtest.h>

#include <string>

using namespace zorvel;

namespace {

struct Completion {
    const char* typed;
    const char* stored;
};

void PrintTo(const Completion& c, std::ostream* os) {
    *os << c.typed;
}

class FormulaCompletion : public testing::TestWithParam<Completion> {};

TEST_P(FormulaCompletion, StoresTheClosedCanonicalForm) {
    EXPECT_EQ(canonicalFormula(std::string(GetParam().typed)), GetParam().stored);
}

// What callers write and what the file must hold so that spreadsheet programs compute it.
INSTANTIATE_TEST_SUITE_P(Typed, FormulaCompletion,
                         testing::Values(Completion{"=sum(k9:k11", "SUM(K9:K11)"},
                                         Completion{"=SUM(K9:K11)", "SUM(K9:K11)"},
                                         Completion{"=i9*j9", "I9*J9"}, Completion{"=g5* 24%", "G5* 24%"},
                                         Completion{"=k10+k14", "K10+K14"},
                                         Completion{"=round(sum(a1:a3)*1.5,2", "ROUND(SUM(A1:A3)*1.5,2)"},
                                         Completion{"=if(a1>0,\"да\",\"нет\"", "IF(A1>0,\"да\",\"нет\")"},
                                         Completion{"=\"Итого (руб.\"&b2", "\"Итого (руб.\"&B2"},
                                         Completion{"=concatenate(\"сумма", "CONCATENATE(\"сумма\")"},
                                         Completion{"=$k$9*$b2", "$K$9*$B2"},
                                         Completion{"=sum(k:k)", "SUM(K:K)"},
                                         Completion{"='Лист 2'!a1+Лист1!b2", "'Лист 2'!A1+Лист1!B2"},
                                         Completion{"=1e+3*a1", "1e+3*A1"}, Completion{"=a1=true", "A1=TRUE"},
                                         Completion{"=rate*2", "rate*2"}));

TEST(Formula, RefusesAClosingParenthesisWithoutAnOpeningOne) {
    for (const char* bad : {"=sum(k9:k11))", "=a1)", "=)("}) {
        try {
            canonicalFormula(std::string(bad));
            ADD_FAILURE() << bad;
        } catch (const SpreadsheetError& e) {
            EXPECT_NE(e.message().indexOf(QStringLiteral("скобка")), -1) << e.what();
        }
    }
}

TEST(Formula, SharedFormulaMovesRelativeReferencesOnly) {
    EXPECT_EQ(shiftFormula("I9*J9+$K$1+$A9+B$2", 2, 1), "J11*K11+$K$1+$A11+C$2");
    EXPECT_EQ(shiftFormula("SUM(A1:A3)&\"A1\"", 1, 0), "SUM(A2:A4)&\"A1\"");
}

} // namespace
