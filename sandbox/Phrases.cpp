// The per-language words of the vocabulary; part of Vocabulary.
#include "Vocabulary.h"

namespace {

using V = std::vector<std::string_view>;

LangPhrases P(const char* adjectives, const char* subtitles, const char* formats,
              const char* colours, std::string_view sizePrefix, std::string_view brand,
              std::string_view colour, std::string_view model, std::string_view size,
              const char* intros, std::string_view condNew, std::string_view condUsed,
              std::string_view privateSale, std::string_view commercialSale,
              std::string_view shipping, const char* sellerWords, const char* firstNames) {
  return LangPhrases{Vocabulary::Split(adjectives),
                     Vocabulary::Split(subtitles),
                     Vocabulary::Split(formats),
                     Vocabulary::Split(colours),
                     sizePrefix,
                     brand,
                     colour,
                     model,
                     size,
                     Vocabulary::Split(intros),
                     condNew,
                     condUsed,
                     privateSale,
                     commercialSale,
                     shipping,
                     Vocabulary::Split(sellerWords),
                     Vocabulary::Split(firstNames)};
}

std::vector<LangPhrases> MakePhrases() {
  std::vector<LangPhrases> all;
  // English
  all.push_back(
      P("boxed|mint|rare|great condition|like new|used|spares or repairs|vintage|collection|fully "
        "working|NEW|L@@K",
        "Fast dispatch!|Free postage|Barely used, in original box|From a smoke-free home|30 day "
        "returns|Genuine seller with great feedback",
        "Paperback|Hardcover", "Black|White|Red|Blue|Silver|Green", "Size", "Brand", "Colour",
        "Model", "Size",
        "You are bidding on {TITLE}.|For sale: {TITLE}.|Up for grabs is this {TITLE}.",
        "The item is brand new and still sealed in its original packaging.",
        "The item is used but in good working order; please see the photos.",
        "Private sale, so no returns or warranty.",
        "We are a registered business; a VAT invoice is included.",
        "Dispatched within one working day of cleared payment.",
        "deals|store|trader|outlet|bargains|collector|gadgets|vintage|books|sports",
        "john|sarah|mike|emma|dave|lucy|tom|kate|steve|anna"));
  // German
  all.push_back(
      P("OVP|neuwertig|top Zustand|wie neu|gebraucht|defekt|Rarität|selten|Sammlung|voll "
        "funktionsfähig|NEU|unbenutzt",
        "Versand noch heute!|Top Zustand - nur 1x benutzt|Sofortkauf mit Rechnung und "
        "MwSt.|Privatverkauf, keine Garantie|Aus Sammlung, Nichtraucherhaushalt|Kostenloser "
        "Versand innerhalb Deutschlands",
        "Taschenbuch|Gebundene Ausgabe", "Schwarz|Weiß|Rot|Blau|Silber|Grün", "Gr.", "Marke",
        "Farbe", "Modell", "Größe",
        "Sie bieten auf {TITLE}.|Zum Verkauf steht {TITLE}.|Hier bekommen Sie {TITLE}.",
        "Der Artikel ist neu und originalverpackt.",
        "Der Artikel ist gebraucht, aber voll funktionsfähig, siehe Bilder.",
        "Privatverkauf, daher keine Garantie und keine Rücknahme.",
        "Gewerblicher Verkauf mit Rechnung und ausgewiesener MwSt.",
        "Der Versand erfolgt innerhalb von 24 Stunden nach Zahlungseingang.",
        "schnaeppchen|markt|handel|technik|sammler|fundgrube|kiste|laden|foto|retro",
        "hans|petra|uwe|sabine|klaus|jens|anja|tobias|karin|juergen"));
  // French
  all.push_back(
      P("neuf|très bon état|comme neuf|rare|occasion|en boîte|vintage|collection|fonctionne|NEUF",
        "Envoi rapide et soigné|Livraison gratuite|Très peu servi|Vendu avec facture|Maison non "
        "fumeur",
        "Livre de poche|Relié", "Noir|Blanc|Rouge|Bleu|Argent|Vert", "Taille", "Marque", "Couleur",
        "Modèle", "Taille", "Vous enchérissez sur {TITLE}.|À vendre : {TITLE}.",
        "L'article est neuf, dans son emballage d'origine.",
        "L'article est d'occasion mais en bon état de marche, voir les photos.",
        "Vente entre particuliers, ni garantie ni retour.",
        "Vendeur professionnel, facture avec TVA fournie.",
        "Envoi sous 24 heures après réception du paiement.",
        "bonnes-affaires|boutique|brocante|occasions|collection|photo|vintage",
        "pierre|marie|jean|sophie|luc|claire|paul|julie"));
  // Dutch
  all.push_back(
      P("nieuw|zo goed als nieuw|gebruikt|zeldzaam|in doos|vintage|compleet|werkend|NIEUW",
        "Snelle verzending|Gratis verzending|Nauwelijks gebruikt|Met factuur|Rookvrij huis",
        "Paperback|Gebonden", "Zwart|Wit|Rood|Blauw|Zilver|Groen", "Maat", "Merk", "Kleur", "Model",
        "Maat", "U biedt op {TITLE}.|Te koop: {TITLE}.",
        "Het artikel is nieuw en in de originele verpakking.",
        "Het artikel is gebruikt maar werkt goed, zie de foto's.",
        "Particuliere verkoop, geen garantie of retour.", "Zakelijke verkoper, factuur met btw.",
        "Verzending binnen 24 uur na ontvangst van de betaling.",
        "koopjes|winkel|handel|verzamelaar|techniek|tweedehands",
        "jan|anouk|pieter|sanne|kees|lotte|bram|eva"));
  // Italian
  all.push_back(
      P("nuovo|come nuovo|usato|raro|in scatola|vintage|perfetto|funzionante|NUOVO",
        "Spedizione veloce|Spedizione gratuita|Usato pochissimo|Con fattura|Casa non fumatori",
        "Tascabile|Copertina rigida", "Nero|Bianco|Rosso|Blu|Argento|Verde", "Taglia", "Marca",
        "Colore", "Modello", "Taglia", "State offrendo per {TITLE}.|In vendita: {TITLE}.",
        "L'articolo è nuovo, nella confezione originale.",
        "L'articolo è usato ma perfettamente funzionante, vedi foto.",
        "Vendita tra privati, senza garanzia né reso.", "Venditore professionale, fattura con IVA.",
        "Spedizione entro 24 ore dal pagamento.",
        "affari|negozio|usato|collezione|tecnica|foto|vintage",
        "marco|giulia|luca|francesca|andrea|chiara|paolo|sara"));
  // Spanish
  all.push_back(
      P("nuevo|como nuevo|usado|raro|en caja|vintage|perfecto estado|funciona|NUEVO",
        "Envío rápido|Envío gratis|Poco uso|Con factura|Casa sin humo",
        "Libro de bolsillo|Tapa dura", "Negro|Blanco|Rojo|Azul|Plata|Verde", "Talla", "Marca",
        "Color", "Modelo", "Talla", "Está pujando por {TITLE}.|Se vende {TITLE}.",
        "El artículo es nuevo y está en su embalaje original.",
        "El artículo es usado pero funciona perfectamente, ver fotos.",
        "Venta entre particulares, sin garantía ni devolución.",
        "Vendedor profesional, factura con IVA.", "Envío en 24 horas tras recibir el pago.",
        "ofertas|tienda|chollos|coleccion|tecnica|foto|vintage",
        "jose|maria|carlos|laura|javier|ana|pablo|lucia"));
  // Polish
  all.push_back(
      P("nowy|jak nowy|używany|unikat|w pudełku|stan idealny|okazja|sprawny|NOWY",
        "Szybka wysyłka|Darmowa wysyłka|Mało używany|Faktura VAT|Dom bez palaczy",
        "Miękka oprawa|Twarda oprawa", "Czarny|Biały|Czerwony|Niebieski|Srebrny|Zielony", "Rozmiar",
        "Marka", "Kolor", "Model", "Rozmiar", "Licytujesz {TITLE}.|Na sprzedaż: {TITLE}.",
        "Przedmiot jest nowy, w oryginalnym opakowaniu.",
        "Przedmiot jest używany, ale w pełni sprawny, zobacz zdjęcia.",
        "Sprzedaż prywatna, bez gwarancji i zwrotu.", "Sprzedawca firmowy, wystawiamy fakturę VAT.",
        "Wysyłka w ciągu 24 godzin od zaksięgowania wpłaty.",
        "okazje|sklep|handel|kolekcja|technika|foto|antyki",
        "piotr|anna|tomasz|kasia|marek|ewa|pawel|magda"));
  // Swedish
  all.push_back(P(
      "ny|som ny|begagnad|sällsynt|i kartong|fint skick|komplett|fungerar|NY",
      "Snabb leverans|Fri frakt|Knappt använd|Kvitto finns|Rökfritt hem", "Pocketbok|Inbunden",
      "Svart|Vit|Röd|Blå|Silver|Grön", "Stl", "Märke", "Färg", "Modell", "Storlek",
      "Du bjuder på {TITLE}.|Till salu: {TITLE}.", "Varan är ny och i originalförpackning.",
      "Varan är begagnad men fungerar fint, se bilderna.",
      "Privat försäljning, ingen garanti eller retur.",
      "Företagsförsäljning, kvitto med moms ingår.", "Skickas inom 24 timmar efter betalning.",
      "fynd|butik|handel|samlare|teknik|foto|retro", "erik|anna|lars|karin|olof|maria|johan|sara"));
  // Chinese
  all.push_back(P("全新|二手|正品|包邮|九成新|稀有|原装|特价",
                  "当天发货|全国包邮|几乎全新|正品保证|七天无理由退货", "平装本|精装本",
                  "黑色|白色|红色|蓝色|银色|绿色", "尺码", "品牌", "颜色", "型号", "尺码",
                  "您正在竞拍 {TITLE}。|出售 {TITLE}。", "商品全新，原包装未拆封。",
                  "商品为二手，功能完好，请看图片。", "个人出售，不提供保修和退货。",
                  "商家出售，提供正规发票。", "付款后24小时内发货。",
                  "shop|store|trade|digital|mall|outlet|deals",
                  "wei|li|ming|hui|jun|fang|lei|xin"));
  return all;
}

}  // namespace

const LangPhrases& Vocabulary::Phrases(Lang lang) {
  static const std::vector<LangPhrases> phrases = MakePhrases();
  return phrases[static_cast<size_t>(lang)];
}
