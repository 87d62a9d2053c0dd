// The page as it ships.
import createModule from 'kelvora-web';
import { startApp } from './app.js';

startApp(createModule);
