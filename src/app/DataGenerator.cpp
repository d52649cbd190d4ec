#include "app/DataGenerator.h"

#include "data/Database.h"
#include "data/SalesSummary.h"
#include "masterdata/PasswordHash.h"

#include <QDate>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>

namespace {

constexpr int kRowsPerTransaction = 50000;
const QString kDeliveryFee = QStringLiteral("TAXA DE ENTREGA");

const QStringList kFirstNames = {
    "MARIA",  "JOSÉ",     "ANA",     "JOÃO",    "ANTÔNIO",  "FRANCISCA", "CARLOS",  "PAULO",
    "LUCAS",  "JULIANA",  "MÁRCIA",  "PEDRO",   "FERNANDA", "SEBASTIÃO", "LUÍS",    "ADRIANA",
    "RAFAEL", "PATRÍCIA", "MARCOS",  "ALINE",   "GABRIEL",  "SANDRA",    "RODRIGO", "CAMILA",
    "BRUNO",  "LETÍCIA",  "EDUARDO", "VITÓRIA", "RAIMUNDO", "CONCEIÇÃO", "JOAQUIM", "BEATRIZ",
    "FÁBIO",  "LÚCIA",    "THIAGO",  "TÂNIA",   "GUSTAVO",  "CÉLIA",     "MATEUS",  "ÉRICA"};
const QStringList kMiddleNames = {"",         "",          "",       "APARECIDA",
                                  "CRISTINA", "HENRIQUE",  "LUIZ",   "EDUARDA",
                                  "AUGUSTO",  "DE FÁTIMA", "CARLOS", "GABRIELA"};
const QStringList kSurnames = {
    "SILVA",   "SANTOS", "OLIVEIRA", "SOUZA",      "RODRIGUES", "FERREIRA",  "ALVES",    "PEREIRA",
    "LIMA",    "GOMES",  "COSTA",    "RIBEIRO",    "MARTINS",   "CARVALHO",  "ARAÚJO",   "MELO",
    "BARBOSA", "ROCHA",  "DIAS",     "NASCIMENTO", "ANDRADE",   "MOREIRA",   "NUNES",    "MARQUES",
    "MACHADO", "MENDES", "FREITAS",  "CARDOSO",    "RAMOS",     "GONÇALVES", "SANTANA",  "TEIXEIRA",
    "D'ÁVILA", "FALCÃO", "BRAGANÇA", "CONCEIÇÃO",  "ASSUNÇÃO",  "DA CUNHA",  "DO CARMO", "PRADO"};
const QStringList kStreetTypes = {"RUA",      "RUA",     "RUA",   "AVENIDA",
                                  "TRAVESSA", "ALAMEDA", "PRAÇA", "ESTRADA"};
const QStringList kStreetNames = {"DAS FLORES",
                                  "SETE DE SETEMBRO",
                                  "JOSÉ BONIFÁCIO",
                                  "QUINZE DE NOVEMBRO",
                                  "BRASIL",
                                  "PAULISTA",
                                  "DOM PEDRO II",
                                  "TIRADENTES",
                                  "SANTOS DUMONT",
                                  "DAS PALMEIRAS",
                                  "SÃO JOÃO",
                                  "DOS ANDRADAS",
                                  "GETÚLIO VARGAS",
                                  "MARECHAL DEODORO",
                                  "DOS BANDEIRANTES",
                                  "DA CONSOLAÇÃO",
                                  "VOLUNTÁRIOS DA PÁTRIA",
                                  "BARÃO DE MAUÁ",
                                  "DUQUE DE CAXIAS",
                                  "RIO BRANCO",
                                  "DAS ACÁCIAS",
                                  "DOS IPÊS",
                                  "CORONEL OLIVEIRA",
                                  "PADRE ANCHIETA",
                                  "MONTEIRO LOBATO",
                                  "CASTRO ALVES",
                                  "ANITA GARIBALDI",
                                  "DOS EUCALIPTOS",
                                  "JOAQUIM NABUCO",
                                  "PIRATININGA",
                                  "D'OESTE",
                                  "IMPERATRIZ LEOPOLDINA"};
const QStringList kDistricts = {"CENTRO",           "VILA MARIANA", "MOOCA",         "PINHEIROS",
                                "SANTANA",          "TATUAPÉ",      "BELA VISTA",    "LAPA",
                                "IPIRANGA",         "JABAQUARA",    "VILA PRUDENTE", "BUTANTÃ",
                                "JARDIM SÃO PAULO", "PENHA",        "CAMBUCI",       "ACLIMAÇÃO"};
const QStringList kComplements = {
    "", "", "", "", "APTO 12", "APTO 54", "CASA 2", "FUNDOS", "BLOCO B APTO 101", "SOBRADO"};
const QStringList kRemarks = {"",
                              "",
                              "",
                              "",
                              "",
                              "PORTÃO AZUL",
                              "TOCAR O INTERFONE",
                              "CUIDADO COM O CACHORRO",
                              "PRÓXIMO À PADARIA",
                              "CLIENTE ANTIGO"};
const QStringList kPayments = {"DINHEIRO", "DINHEIRO", "CARTÃO DE CRÉDITO", "CARTÃO DE DÉBITO",
                               "VALE REFEIÇÃO"};
const QStringList kFlavours = {"MUÇARELA",
                               "CALABRESA",
                               "PORTUGUESA",
                               "MARGUERITA",
                               "QUATRO QUEIJOS",
                               "FRANGO COM CATUPIRY",
                               "NAPOLITANA",
                               "ATUM",
                               "BACON",
                               "BRÓCOLIS",
                               "ESCAROLA",
                               "PALMITO",
                               "ALHO E ÓLEO",
                               "LOMBO",
                               "BAIANA",
                               "TOSCANA",
                               "CAIPIRA",
                               "MILHO",
                               "ROMANA",
                               "ALICHE",
                               "PEPPERONI",
                               "CARNE SECA",
                               "VEGETARIANA",
                               "CAMARÃO",
                               "MODA DA CASA",
                               "PRESUNTO",
                               "CATUPIRY",
                               "ABOBRINHA",
                               "RÚCULA COM TOMATE SECO",
                               "PAULISTA"};
const QStringList kSweetFlavours = {"CHOCOLATE",       "PRESTÍGIO",       "BANANA COM CANELA",
                                    "ROMEU E JULIETA", "BRIGADEIRO",      "MORANGO COM CHOCOLATE",
                                    "DOCE DE LEITE",   "CHOCOLATE BRANCO"};
const QStringList kSizes = {"BROTO", "MÉDIA", "GRANDE", "GIGANTE"};
const QStringList kMessages = {"",
                               "",
                               "",
                               "",
                               "",
                               "SEM CEBOLA",
                               "CAPRICHAR NO QUEIJO",
                               "TOCAR A CAMPAINHA",
                               "ENTREGAR NA PORTARIA",
                               "LEVAR MAQUININHA"};
// Busier towards the weekend: Monday to Sunday.
constexpr int kDayWeights[] = {2, 2, 2, 3, 4, 5, 4};

struct Category {
    QString name;
    QStringList products;
    // Parallel to products, in centavos; empty: random prices.
    QList<qint64> prices = {};
};

// A small pizzeria's menu at its usual prices.
QList<Category> smallPriceList() {
    return {
        {QStringLiteral("PIZZAS TRADICIONAIS"),
         {"MUÇARELA", "CALABRESA", "MARGUERITA", "PORTUGUESA", "NAPOLITANA", "FRANGO COM CATUPIRY",
          "ATUM", "BACON", "MILHO", "ALHO E ÓLEO", "BAIANA", "PRESUNTO"},
         {4290, 4490, 4690, 4990, 4690, 4990, 5290, 4890, 4290, 4190, 4790, 4390}},
        {QStringLiteral("PIZZAS ESPECIAIS"),
         {"QUATRO QUEIJOS", "CARNE SECA", "PEPPERONI", "LOMBO", "RÚCULA COM TOMATE SECO", "CAMARÃO",
          "MODA DA CASA"},
         {5490, 5990, 5690, 5590, 5590, 6990, 5890}},
        {QStringLiteral("PIZZAS DOCES"),
         {"CHOCOLATE", "PRESTÍGIO", "BANANA COM CANELA", "ROMEU E JULIETA", "BRIGADEIRO"},
         {4490, 4690, 4290, 4490, 4690}},
        {QStringLiteral("BEBIDAS"),
         {"COCA-COLA LATA 350ML", "COCA-COLA 2 LITROS", "GUARANÁ ANTARCTICA LATA 350ML",
          "GUARANÁ ANTARCTICA 2 LITROS", "FANTA LARANJA 2 LITROS", "SPRITE 2 LITROS",
          "ÁGUA MINERAL 500ML", "SUCO DE LARANJA 1 LITRO", "CERVEJA HEINEKEN LONG NECK",
          "CERVEJA BRAHMA LATA"},
         {600, 1400, 550, 1200, 1100, 1100, 350, 1200, 900, 550}},
        {QStringLiteral("TAXA DE ENTREGA"),
         {"TAXA DE ENTREGA", "TAXA DE ENTREGA BAIRROS VIZINHOS"},
         {500, 800}},
    };
}

QList<Category> fullPriceList() {
    QList<Category> categories;
    // Every pairing of a thing and a size: "%1" the thing, "%2" the size.
    auto combine = [](const QStringList& things, const QStringList& sizes, const QString& form) {
        QStringList names;
        for (const QString& thing : things)
            for (const QString& size : sizes)
                names << form.arg(thing, size);
        return names;
    };
    auto sized = [&combine](const QStringList& flavours, const QString& prefix) {
        return combine(flavours, kSizes, prefix + QStringLiteral("%1 %2"));
    };
    categories << Category{QStringLiteral("PIZZAS TRADICIONAIS"), sized(kFlavours.mid(0, 15), {})}
               << Category{QStringLiteral("PIZZAS ESPECIAIS"), sized(kFlavours.mid(15), {})}
               << Category{QStringLiteral("PIZZAS DOCES"), sized(kSweetFlavours, {})}
               << Category{QStringLiteral("ESFIHAS"), sized(kFlavours, QStringLiteral("ESFIHA "))}
               << Category{QStringLiteral("CALZONES"),
                           sized(kFlavours.mid(0, 25), QStringLiteral("CALZONE "))};
    const QString plain = QStringLiteral("%1 %2");
    const QStringList drinks =
        combine({"COCA-COLA", "GUARANÁ ANTARCTICA", "FANTA LARANJA", "SPRITE", "SODA LIMONADA",
                 "ÁGUA MINERAL", "ÁGUA COM GÁS", "TUBAÍNA"},
                {"LATA 350ML", "600ML", "1 LITRO", "2 LITROS"}, plain);
    const QStringList juices = combine({"LARANJA", "LIMÃO", "MARACUJÁ", "ABACAXI", "MANGA",
                                        "ACEROLA", "CAJU", "GOIABA", "UVA", "MORANGO"},
                                       {"COPO", "JARRA"}, QStringLiteral("SUCO DE %1 %2"));
    const QStringList beers = combine({"BRAHMA", "SKOL", "ANTARCTICA", "ITAIPAVA", "BOHEMIA",
                                       "HEINEKEN", "ORIGINAL", "STELLA ARTOIS"},
                                      {"LATA", "LONG NECK", "600ML"}, plain);
    const QStringList desserts = combine({"PUDIM", "MOUSSE DE MARACUJÁ", "PAVÊ", "SORVETE", "AÇAÍ",
                                          "PETIT GÂTEAU", "TORTA DE LIMÃO", "BROWNIE"},
                                         {"INDIVIDUAL", "FAMÍLIA"}, plain);
    const QStringList portions =
        combine({"BATATA FRITA", "CALABRESA ACEBOLADA", "FRANGO A PASSARINHO", "MANDIOCA FRITA",
                 "ISCA DE PEIXE", "POLENTA FRITA"},
                {"MEIA", "INTEIRA"}, QStringLiteral("PORÇÃO DE %1 %2"));
    const QStringList snacks = combine({"X-BÚRGUER", "X-SALADA", "X-BACON", "X-TUDO", "BAURU",
                                        "MISTO QUENTE", "BEIRUTE", "AMERICANO"},
                                       {"PÃO FRANCÊS", "PÃO DE FORMA", "PÃO ÁRABE"}, plain);
    categories << Category{QStringLiteral("REFRIGERANTES"), drinks}
               << Category{QStringLiteral("SUCOS"), juices}
               << Category{QStringLiteral("CERVEJAS"), beers}
               << Category{QStringLiteral("SOBREMESAS"), desserts}
               << Category{QStringLiteral("PORÇÕES"), portions}
               << Category{QStringLiteral("LANCHES"), snacks}
               << Category{kDeliveryFee,
                           {QStringLiteral("TAXA DE ENTREGA"), QStringLiteral("TAXA DE ENTREGA 2"),
                            QStringLiteral("TAXA DE ENTREGA LONGE")}};
    return categories;
}

bool isPizza(const QString& category) {
    return category.startsWith(QLatin1String("PIZZA"));
}

// Prints "\r  what: 37%" whenever the percentage moves.
class Progress {
public:
    Progress(const char* what, qint64 total, bool shown)
        : m_what(what), m_total(total), m_shown(shown) {
        m_timer.start();
    }
    void step(qint64 done) {
        if (!m_shown)
            return;
        const int percent = m_total > 0 ? int(done * 100 / m_total) : 100;
        if (percent != m_percent) {
            m_percent = percent;
            std::fprintf(stderr, "\r  %-10s %3d%%", m_what, percent);
            std::fflush(stderr);
        }
    }
    ~Progress() {
        if (!m_shown)
            return;
        std::fprintf(stderr, "\r  %-10s done: %lld rows in %.1f s\n", m_what,
                     static_cast<long long>(m_total), double(m_timer.elapsed()) / 1000.0);
    }

private:
    const char* m_what;
    qint64 m_total;
    bool m_shown;
    int m_percent = -1;
    QElapsedTimer m_timer;
};

QVariant nullText() {
    return QVariant(QMetaType::fromType<QString>());
}

} // namespace

DataGenerator::Profile DataGenerator::Profile::benchmark(int customers, int orders) {
    return {customers, orders, 1000, 8, true};
}

DataGenerator::Profile DataGenerator::Profile::sample() {
    // Three weeks.
    return {350, 21 * 45, 45, 4, false};
}

const QStringList DataGenerator::kSampleUsers = {QStringLiteral("GERENTE"), QStringLiteral("MANHA"),
                                                 QStringLiteral("NOITE")};

DataGenerator::DataGenerator(Database& db, quint64 seed, bool showProgress)
    : m_db(db), m_random(seed), m_showProgress(showProgress) {}

QString DataGenerator::pick(const QStringList& list) {
    return list.at(between(0, int(list.size()) - 1));
}

int DataGenerator::between(int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(m_random);
}

const DataGenerator::Product&
DataGenerator::pickProduct(const std::vector<const Product*>& products) {
    return *products[std::size_t(between(0, int(products.size()) - 1))];
}

// Commits every kRowsPerTransaction rows and goes on in the next transaction.
void DataGenerator::row() {
    if (++m_rows % kRowsPerTransaction == 0) {
        m_transaction->commit();
        m_transaction.reset();
        m_transaction.emplace(m_db);
    }
}

bool DataGenerator::isEmpty() {
    for (const char* table : {"TB_Categoria", "TB_Produto", "TB_Cliente", "TB_Entregador",
                              "TB_Usuario", "TB_Pedido", "TB_Item"}) {
        if (m_db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table)))
                .toLongLong() > 0)
            return false;
    }
    return true;
}

bool DataGenerator::generate(const Profile& profile, const QDate& lastDay) {
    // Hashing is slow: done before the transaction holds the database.
    const QString passwordHash = PasswordHash::hash(kSamplePassword);
    m_transaction.emplace(m_db);
    if (!isEmpty()) {
        m_transaction.reset();
        return false;
    }
    const int days = std::max(1, (profile.orders + profile.ordersPerDay - 1) /
                                     std::max(1, profile.ordersPerDay));
    priceList(profile.fullPriceList);
    staff(profile.deliveryPersons, passwordHash);
    customers(profile.customers);
    orders(profile.orders, lastDay.addDays(1 - days), lastDay);
    m_transaction->commit();
    m_transaction.reset();
    if (m_showProgress)
        std::fprintf(stderr, "  summing the sales, analysing...\n");
    salesSummary::catchUp(m_db);
    m_db.exec(QStringLiteral("ANALYZE"));
    return true;
}

void DataGenerator::priceList(bool full) {
    const QList<Category> categories = full ? fullPriceList() : smallPriceList();
    QSqlQuery category = m_db.prepare(
        QStringLiteral("INSERT INTO TB_Categoria (cat_ID, cat_Categoria) VALUES (?, ?)"));
    QSqlQuery product = m_db.prepare(QStringLiteral(
        "INSERT INTO TB_Produto (Pro_ID, pro_Categoria, pro_Produto, Pro_Preco, Pro_Descricao, "
        "pro_Fornecedor, pro_Representante, pro_Rep_Telefone) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    int categoryKey = 0;
    int productKey = 0;
    for (const Category& c : categories) {
        m_db.execPrepared(category, {++categoryKey, c.name});
        row();
        for (qsizetype i = 0; i < c.products.size(); ++i) {
            const QString& name = c.products.at(i);
            const qint64 price = !c.prices.isEmpty()      ? c.prices.at(i)
                                 : c.name == kDeliveryFee ? qint64(between(3, 12)) * 100
                                                          : qint64(between(5, 90)) * 100 + 90;
            m_db.execPrepared(
                product,
                {++productKey, c.name, name, price, QStringLiteral("%1 - %2").arg(c.name, name),
                 QStringLiteral("DISTRIBUIDORA %1").arg(pick(kSurnames)), pick(kFirstNames),
                 QStringLiteral("3%1-%2").arg(between(100, 999)).arg(between(1000, 9999))});
            row();
            m_products.push_back({name, c.name, price});
        }
    }
    if (m_showProgress)
        std::fprintf(stderr, "  price list: %d categories, %d products\n", categoryKey, productKey);
}

void DataGenerator::staff(int deliveryPersons, const QString& passwordHash) {
    const QStringList names = {QStringLiteral("GERENTE"), QStringLiteral("ATENDENTE MANHÃ"),
                               QStringLiteral("ATENDENTE NOITE")};
    // The manager administers users and sees reports; the night shift sees reports.
    const int authorities[] = {1, 4, 3};
    const QDate registered = QDate::currentDate().addYears(-1);
    for (int i = 0; i < names.size(); ++i) {
        m_db.exec(QStringLiteral("INSERT INTO TB_Usuario (usu_ID, usu_Data, usu_Nome, usu_Usuario, "
                                 "usu_Senha, usu_Autoridade) VALUES (?, ?, ?, ?, ?, ?)"),
                  {i + 1, Database::dateValue(registered), names.at(i), kSampleUsers.at(i),
                   passwordHash, authorities[i]});
        row();
    }
    for (int i = 1; i <= deliveryPersons; ++i) {
        const QString name = pick(kFirstNames) + QLatin1Char(' ') + pick(kSurnames);
        m_deliveryPersons << name;
        m_db.exec(QStringLiteral("INSERT INTO TB_Entregador (ent_ID, ent_Telefone, ent_data, "
                                 "ent_Nome, ent_Observacao) VALUES (?, ?, ?, ?, ?)"),
                  {i, QStringLiteral("9%1-%2").arg(between(1000, 9999)).arg(between(1000, 9999)),
                   Database::dateValue(registered.addDays(i)), name,
                   QStringLiteral("MOTO %1").arg(i)});
        row();
    }
}

DataGenerator::Customer DataGenerator::makeCustomer(int index) {
    // An odd multiplier that 5 does not divide permutes 0..10^8-1: telephones never repeat.
    const quint64 digits = (quint64(index) * 2654435761ULL + 12345678ULL) % 100000000ULL;
    Customer c;
    c.telephone = QStringLiteral("9%1-%2")
                      .arg(digits / 10000, 4, 10, QLatin1Char('0'))
                      .arg(digits % 10000, 4, 10, QLatin1Char('0'));
    QString name = pick(kFirstNames);
    const QString middle = pick(kMiddleNames);
    if (!middle.isEmpty())
        name += QLatin1Char(' ') + middle;
    name += QLatin1Char(' ') + pick(kSurnames);
    if (between(0, 2) == 0)
        name += QLatin1Char(' ') + pick(kSurnames);
    c.name = name;
    c.type = pick(kStreetTypes);
    c.street = pick(kStreetNames);
    c.number = QString::number(between(1, 3500));
    c.complement = pick(kComplements);
    c.district = pick(kDistricts);
    c.cep = QStringLiteral("0%1-%2")
                .arg(between(1000, 9999))
                .arg(between(0, 999), 3, 10, QLatin1Char('0'));
    c.remark = pick(kRemarks);
    return c;
}

void DataGenerator::customers(int count) {
    QSqlQuery insert = m_db.prepare(QStringLiteral(
        "INSERT INTO TB_Cliente (cli_ID, cli_Telefone, cli_Nome, cli_RG, cli_Tipo, cli_Logradouro, "
        "cli_Numero, cli_Complemento, cli_Bairro, cli_Cidade, cli_UF, cli_CEP, cli_Data_Nasc, "
        "cli_Email, cli_Observacao) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    Progress progress("clientes", count, m_showProgress);
    m_customers.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i) {
        Customer c = makeCustomer(i);
        const QDate birth = between(0, 9) < 3
                                ? QDate()
                                : QDate(between(1940, 2005), between(1, 12), between(1, 28));
        const QString email =
            between(0, 1) == 0 ? QString() : QStringLiteral("cliente%1@exemplo.com.br").arg(i + 1);
        m_db.execPrepared(insert, {i + 1, c.telephone, c.name,
                                   QStringLiteral("%1.%2.%3-%4")
                                       .arg(between(10, 99))
                                       .arg(between(100, 999))
                                       .arg(between(100, 999))
                                       .arg(between(0, 9)),
                                   c.type, c.street, c.number, c.complement, c.district,
                                   QStringLiteral("SÃO PAULO"), QStringLiteral("SP"), c.cep,
                                   Database::dateValue(birth), email, c.remark});
        m_customers.push_back(std::move(c));
        row();
        progress.step(i + 1);
    }
}

void DataGenerator::orders(int count, const QDate& firstDay, const QDate& lastDay) {
    if (m_customers.empty() || count == 0)
        return;
    QSqlQuery header = m_db.prepare(QStringLiteral(
        "INSERT INTO TB_Pedido (ped_ono, ped_usu_id, ped_data, ped_cli_Telefone, ped_cli_Nome, "
        "ped_cli_Tipo, ped_cli_Logradouro, ped_cli_Numero, ped_cli_Complemento, ped_cli_Bairro, "
        "ped_cli_Cidade, ped_cli_UF, ped_cli_CEP, ped_cli_Observacao, ped_Forma_Pagamento, "
        "ped_Valor_Pago, ped_Troco, ped_Total, ped_Mensagem, ped_Status, ped_Entregador) "
        "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    QSqlQuery item = m_db.prepare(QStringLiteral(
        "INSERT INTO TB_Item (ite_Ono, ite_Nome, ite_Quantidade, ite_Preco, ite_Total, ite_cat) "
        "VALUES (?, ?, ?, ?, ?, ?)"));
    std::vector<const Product*> fees;
    std::vector<const Product*> pizzas;
    std::vector<const Product*> others;
    for (const Product& p : m_products)
        (p.category == kDeliveryFee ? fees : isPizza(p.category) ? pizzas : others).push_back(&p);

    // Orders are spread over the days by weight and in number order, so dates rise with the
    // numbers: order n falls on the day whose share of the total weight covers it.
    std::vector<QDate> dayOf;
    std::vector<qint64> weightUpTo;
    qint64 totalWeight = 0;
    for (QDate day = firstDay; day <= lastDay; day = day.addDays(1)) {
        totalWeight += kDayWeights[day.dayOfWeek() - 1];
        dayOf.push_back(day);
        weightUpTo.push_back(totalWeight);
    }
    std::size_t day = 0;

    Progress progress("pedidos", count, m_showProgress);
    for (int number = 1; number <= count; ++number) {
        while (qint64(number - 1) * totalWeight >= weightUpTo[day] * qint64(count))
            ++day;
        const Customer& c = m_customers[std::size_t(between(0, int(m_customers.size()) - 1))];
        const bool cancelled = between(0, 19) == 0;
        qint64 total = 0;
        auto addLine = [&](const QString& name, const QString& category, qint64 price,
                           int quantity) {
            const qint64 lineTotal = price * quantity;
            total += lineTotal;
            m_db.execPrepared(item, {number, name, cancelled ? 0 : quantity, cancelled ? 0 : price,
                                     cancelled ? 0 : lineTotal, category});
            row();
        };
        // About three lines: one or two pizzas, some of two flavours at the dearer one's
        // price, up to two other products, and the delivery fee on most orders.
        const int pizzaLines = pizzas.empty() ? 0 : between(1, 2);
        for (int line = 0; line < pizzaLines; ++line) {
            const Product& p = pickProduct(pizzas);
            if (between(0, 3) == 0) {
                const Product& second = pickProduct(pizzas);
                addLine(p.name + QStringLiteral(" / ") + second.name, p.category,
                        std::max(p.price, second.price), 1);
            } else {
                addLine(p.name, p.category, p.price, 1);
            }
        }
        const int otherLines = others.empty() ? 0 : between(pizzaLines == 0 ? 1 : 0, 2);
        for (int line = 0; line < otherLines; ++line) {
            const Product& p = pickProduct(others);
            addLine(p.name, p.category, p.price, between(0, 3) == 0 ? 2 : 1);
        }
        if (!fees.empty() && between(0, 3) != 0) {
            const Product& fee = pickProduct(fees);
            addLine(fee.name, kDeliveryFee, fee.price, 1);
        }
        const QString payment = pick(kPayments);
        const qint64 paid =
            payment == QLatin1String("DINHEIRO") ? (total / 1000 + 1) * 1000 : total;
        const bool assigned = between(0, 9) != 0;
        m_db.execPrepared(header,
                          {number,
                           between(1, 3),
                           Database::dateValue(dayOf[day]),
                           c.telephone,
                           c.name,
                           c.type,
                           c.street,
                           c.number,
                           c.complement,
                           c.district,
                           QStringLiteral("SÃO PAULO"),
                           QStringLiteral("SP"),
                           c.cep,
                           c.remark,
                           payment,
                           cancelled ? 0 : paid,
                           cancelled ? 0 : paid - total,
                           cancelled ? 0 : total,
                           pick(kMessages),
                           cancelled ? QStringLiteral("CANCELADO") : QStringLiteral("CONCLUIDO"),
                           assigned ? QVariant(pick(m_deliveryPersons)) : nullText()});
        row();
        progress.step(number);
    }
}
