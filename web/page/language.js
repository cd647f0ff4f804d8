// The page's language: the one its first script chose (the player's choice
// on this device, or else the browser's), the switch that changes it at
// once, mid-game too, and the page's own words put in their places: each
// element marked data-words="key" gets its text from the table,
// data-words-label its accessible name, data-words-hint its placeholder,
// and of the blocks written in each language (data-language) only the
// page's shows.
import { listeners } from "./listeners.js";
import { kLanguages, kWords } from "./words.js";

const kKept = "match3-language"; // the player's choice, in the device's storage

export function createLanguage(root) {
  const changes = listeners();
  const html = root.documentElement;
  let language = kLanguages.includes(html.lang) ? html.lang : "en";
  const all = (selector, apply) => root.querySelectorAll(selector).forEach(apply);

  function apply() {
    const words = kWords[language];
    html.lang = language;
    root.querySelector("meta[name=description]").content = words.description;
    root.querySelector("link[rel=manifest]").href = words.manifest;
    all("[data-words]", (element) => { element.textContent = words[element.dataset.words]; });
    all("[data-words-label]", (element) => element.setAttribute("aria-label", words[element.dataset.wordsLabel]));
    all("[data-words-hint]", (element) => { element.placeholder = words[element.dataset.wordsHint]; });
    all("[data-language]", (element) => { element.hidden = element.dataset.language !== language; });
    all("[data-choose]", (button) => button.setAttribute("aria-pressed", String(button.dataset.choose === language)));
    root.dispatchEvent(new Event("match3-language")); // the first script's banner
    changes.tell();
  }

  all("[data-choose]", (button) => button.addEventListener("click", () => {
    if (button.dataset.choose === language) return;
    language = button.dataset.choose;
    try {
      localStorage.setItem(kKept, language);
    } catch {
      // a device that keeps nothing: the choice holds for this visit
    }
    apply();
  }));
  if (language !== "en") apply(); // the page is written in English

  return {
    // The words of the page's language now.
    words: () => kWords[language],
    // `listener()` hears each change of language.
    onChange: changes.add,
  };
}
