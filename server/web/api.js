// The selection service's JSON API, relative to the page so that the page works behind a proxy
// that serves it under a prefix of its own.
const base = new URL('api/v1/', document.baseURI);

export class ApiError extends Error {}

async function answer(response) {
  if (response.ok) return response;
  let message = `${response.status} ${response.statusText}`;
  try {
    const body = await response.json();
    if (body && body.error) message = body.error;
  } catch {
    // not JSON: the status says enough
  }
  throw new ApiError(message);
}

async function get(path) {
  return (await answer(await fetch(new URL(path, base)))).json();
}

async function post(path, body) {
  const response = await fetch(new URL(path, base), {
    method: 'POST',
    headers: { 'Content-Type': 'application/json' },
    body: JSON.stringify(body),
  });
  return answer(response);
}

const segment = (s) => encodeURIComponent(String(s));

export const refrigerants = () => get('refrigerants');
export const select = async (inputs) => (await post('select', inputs)).json();
export const unit = (kind, refrigerant, name) =>
  get(`units/${segment(kind)}/${segment(refrigerant)}/${segment(name)}`);
export const reportPdf = async (request, row) => (await post(`report?row=${row}`, request)).blob();
export const listPdf = async (request) => (await post('list', request)).blob();
export const offerPdf = async (calculation) => (await post('offer', calculation)).blob();
export const offerCsv = async (calculation) => (await post('offer?format=csv', calculation)).blob();
export const check = async (calculation) => (await post('calculation/check', calculation)).json();
